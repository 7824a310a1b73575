<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="de_DE">
<context>
    <name>AccountPasswords</name>
    <message>
        <source>The keyring did not keep the password: %1</source>
        <translation>Der Schlüsselbund hat das Passwort nicht gespeichert: %1</translation>
    </message>
</context>
<context>
    <name>AccountSyncStatus</name>
    <message>
        <source>Not synced yet</source>
        <translation>Noch nicht abgeglichen</translation>
    </message>
    <message>
        <source>Syncing… %1 copied</source>
        <translation>Abgleich… %1 übertragen</translation>
    </message>
    <message>
        <source>Syncing…</source>
        <translation>Abgleich…</translation>
    </message>
    <message>
        <source>Offline</source>
        <translation>Offline</translation>
    </message>
    <message>
        <source>An event changed on both sides</source>
        <translation>Ein Termin wurde auf beiden Seiten geändert</translation>
    </message>
    <message>
        <source>%1 events changed on both sides</source>
        <translation>%1 Termine wurden auf beiden Seiten geändert</translation>
    </message>
    <message>
        <source>Synced just now</source>
        <translation>Gerade abgeglichen</translation>
    </message>
    <message>
        <source>Synced a minute ago</source>
        <translation>Vor einer Minute abgeglichen</translation>
    </message>
    <message>
        <source>Synced %1 minutes ago</source>
        <translation>Vor %1 Minuten abgeglichen</translation>
    </message>
    <message>
        <source>Synced at %1</source>
        <translation>Um %1 abgeglichen</translation>
    </message>
    <message>
        <source>Synced on %1</source>
        <translation>Am %1 abgeglichen</translation>
    </message>
</context>
<context>
    <name>AccountSyncer</name>
    <message>
        <source>vdirsyncer stopped with code %1</source>
        <translation>vdirsyncer wurde mit dem Code %1 beendet</translation>
    </message>
</context>
<context>
    <name>ActionsController</name>
    <message>
        <source>Remove Event</source>
        <translation>Termin löschen</translation>
    </message>
    <message>
        <source>Paste Event</source>
        <translation>Termin einfügen</translation>
    </message>
    <message>
        <source>Duplicate Event</source>
        <translation>Termin duplizieren</translation>
    </message>
</context>
<context>
    <name>AddCalDavAccountDialog</name>
    <message>
        <source>Add CalDAV Account</source>
        <translation>CalDAV-Konto hinzufügen</translation>
    </message>
    <message>
        <source>Server address</source>
        <translation>Serveradresse</translation>
    </message>
    <message>
        <source>dav.example.org</source>
        <translation>dav.example.org</translation>
    </message>
    <message>
        <source>User name</source>
        <translation>Benutzername</translation>
    </message>
    <message>
        <source>Password</source>
        <translation>Passwort</translation>
    </message>
    <message>
        <source>Status</source>
        <translation>Status</translation>
    </message>
    <message>
        <source>Add</source>
        <translation>Hinzufügen</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>Abbrechen</translation>
    </message>
    <message>
        <source>&amp;Server address:</source>
        <translation>&amp;Serveradresse:</translation>
    </message>
    <message>
        <source>&amp;User name:</source>
        <translation>&amp;Benutzername:</translation>
    </message>
    <message>
        <source>&amp;Password:</source>
        <translation>&amp;Passwort:</translation>
    </message>
    <message>
        <source>Your own vdirsyncer setup is left as it is.</source>
        <translation>Ihre eigene vdirsyncer-Einrichtung bleibt, wie sie ist.</translation>
    </message>
    <message>
        <source>Connecting…</source>
        <translation>Verbindung wird hergestellt…</translation>
    </message>
</context>
<context>
    <name>AlarmService</name>
    <message>
        <source>This reminder asks to run %1. It was not run, because its calendar is read-only.</source>
        <translation>Diese Erinnerung möchte %1 ausführen. Es wurde nicht ausgeführt, weil ihr Kalender schreibgeschützt ist.</translation>
    </message>
    <message>
        <source>This reminder asks to run %1. It was not run, because it was not set up on this computer.</source>
        <translation>Diese Erinnerung möchte %1 ausführen. Es wurde nicht ausgeführt, weil es auf diesem Computer nicht eingerichtet wurde.</translation>
    </message>
    <message>
        <source>The alarm&apos;s program %1 could not be run.</source>
        <translation>Das Programm %1 der Erinnerung konnte nicht ausgeführt werden.</translation>
    </message>
    <message numerus="yes">
        <source>%n reminders at %1</source>
        <translation>
            <numerusform>%n Erinnerung um %1</numerusform>
            <numerusform>%n Erinnerungen um %1</numerusform>
        </translation>
    </message>
    <message>
        <source>Open</source>
        <translation>Öffnen</translation>
    </message>
    <message>
        <source>Reminder</source>
        <translation>Erinnerung</translation>
    </message>
    <message numerus="yes">
        <source>and %n more</source>
        <translation>
            <numerusform>und %n weitere</numerusform>
            <numerusform>und %n weitere</numerusform>
        </translation>
    </message>
    <message>
        <source>Snooze 5 min</source>
        <translation>In 5 Min. erneut</translation>
    </message>
</context>
<context>
    <name>AlarmSettingsViewController</name>
    <message>
        <source>5 minutes before</source>
        <translation>5 Minuten vorher</translation>
    </message>
    <message>
        <source>15 minutes before</source>
        <translation>15 Minuten vorher</translation>
    </message>
    <message>
        <source>30 minutes before</source>
        <translation>30 Minuten vorher</translation>
    </message>
    <message>
        <source>1 hour before</source>
        <translation>1 Stunde vorher</translation>
    </message>
    <message>
        <source>2 hours before</source>
        <translation>2 Stunden vorher</translation>
    </message>
    <message>
        <source>1 day before</source>
        <translation>1 Tag vorher</translation>
    </message>
    <message>
        <source>2 days before</source>
        <translation>2 Tage vorher</translation>
    </message>
    <message>
        <source>On date of event</source>
        <translation>Am Tag des Termins</translation>
    </message>
    <message>
        <source>Choose a Program to Run</source>
        <translation>Auszuführendes Programm wählen</translation>
    </message>
    <message>
        <source>&amp;Alarm:</source>
        <translation>E&amp;rinnerung:</translation>
    </message>
    <message>
        <source>&amp;Date:</source>
        <translation>Datu&amp;m:</translation>
    </message>
    <message>
        <source>&amp;Sound:</source>
        <translation>&amp;Signalton:</translation>
    </message>
    <message>
        <source>&amp;Program:</source>
        <translation>&amp;Programm:</translation>
    </message>
    <message>
        <source>Alarm type</source>
        <translation>Art der Erinnerung</translation>
    </message>
    <message>
        <source>Alarm date</source>
        <translation>Datum der Erinnerung</translation>
    </message>
    <message>
        <source>Alarm sound</source>
        <translation>Signalton der Erinnerung</translation>
    </message>
    <message>
        <source>Program to run</source>
        <translation>Auszuführendes Programm</translation>
    </message>
    <message>
        <source>Program argument</source>
        <translation>Argument des Programms</translation>
    </message>
    <message>
        <source>Program not run</source>
        <translation>Programm nicht ausgeführt</translation>
    </message>
    <message>
        <source>No Alert</source>
        <translation>Keine Erinnerung</translation>
    </message>
    <message>
        <source>Message</source>
        <translation>Mitteilung</translation>
    </message>
    <message>
        <source>Run…</source>
        <translation>Ausführen…</translation>
    </message>
    <message>
        <source>Message with Sound</source>
        <translation>Mitteilung mit Ton</translation>
    </message>
    <message>
        <source>Choose…</source>
        <translation>Auswählen…</translation>
    </message>
    <message>
        <source>With the argument: %1</source>
        <translation>Mit dem Argument: %1</translation>
    </message>
    <message>
        <source>Not set up on this computer: it does not run until you choose its program with Run…</source>
        <translation>Auf diesem Computer nicht eingerichtet: Es wird erst ausgeführt, wenn Sie sein Programm mit „Ausführen…“ wählen</translation>
    </message>
    <message>
        <source>It does not run: the calendar is read-only.</source>
        <translation>Es wird nicht ausgeführt: Der Kalender ist schreibgeschützt.</translation>
    </message>
</context>
<context>
    <name>ApplicationDelegate</name>
    <message>
        <source>This application probably won&apos;t work with your type of calendar.</source>
        <translation>Dieses Programm funktioniert wahrscheinlich nicht mit Ihrer Kalenderart.</translation>
    </message>
    <message>
        <source>The application has only been tested with gregorian calendars and was not designed with any other types of calendars in mind.  Therefore, it will probably not work correctly in all cases since you are not using a gregorian calendar. Sorry about that!

Such support might be added in the future.</source>
        <translation>Das Programm wurde nur mit dem gregorianischen Kalender getestet und nicht für andere Kalenderarten entworfen. Da Sie keinen gregorianischen Kalender verwenden, wird es daher wahrscheinlich nicht in allen Fällen richtig funktionieren. Das tut uns leid!

Eine solche Unterstützung kommt vielleicht später hinzu.</translation>
    </message>
    <message>
        <source>Quit</source>
        <translation>Beenden</translation>
    </message>
    <message>
        <source>I&apos;m feeling lucky!</source>
        <translation>Ich versuche es trotzdem!</translation>
    </message>
</context>
<context>
    <name>BaseCalendarController</name>
    <message>
        <source>New Event</source>
        <translation>Neuer Termin</translation>
    </message>
</context>
<context>
    <name>CalDavAccounts</name>
    <message>
        <source>The server did not accept the user name or password</source>
        <translation>Der Server hat den Benutzernamen oder das Passwort nicht angenommen</translation>
    </message>
    <message>
        <source>No calendar was found at this address</source>
        <translation>Unter dieser Adresse wurde kein Kalender gefunden</translation>
    </message>
    <message>
        <source>Enter the server&apos;s address, such as https://example.com/dav/</source>
        <translation>Geben Sie die Adresse des Servers ein, etwa https://example.com/dav/</translation>
    </message>
    <message>
        <source>Enter the user name</source>
        <translation>Geben Sie den Benutzernamen ein</translation>
    </message>
    <message>
        <source>%1 is not installed; Verdalune syncs accounts with it</source>
        <translation>%1 ist nicht installiert; Verdalune gleicht Konten damit ab</translation>
    </message>
    <message>
        <source>Verdalune: %1</source>
        <translation>Verdalune: %1</translation>
    </message>
    <message>
        <source>The server could not be reached: %1</source>
        <translation>Der Server war nicht erreichbar: %1</translation>
    </message>
    <message>
        <source>The keyring has no password for this account: remove it and add it again</source>
        <translation>Der Schlüsselbund hat kein Passwort für dieses Konto: Entfernen Sie es und fügen Sie es erneut hinzu</translation>
    </message>
</context>
<context>
    <name>CalendarCheckBoxDelegate</name>
    <message>
        <source>synced</source>
        <translation>synchronisiert</translation>
    </message>
</context>
<context>
    <name>CalendarColorButton</name>
    <message>
        <source>Calendar Color</source>
        <translation>Kalenderfarbe</translation>
    </message>
    <message>
        <source>Calendar color</source>
        <translation>Kalenderfarbe</translation>
    </message>
</context>
<context>
    <name>CalendarController</name>
    <message>
        <source>“%1” was changed by another program after this change.</source>
        <translation>„%1“ wurde nach dieser Änderung von einem anderen Programm geändert.</translation>
    </message>
    <message>
        <source>“%1” and %2 more were changed by other programs after this change.</source>
        <translation>„%1“ und %2 weitere wurden nach dieser Änderung von anderen Programmen geändert.</translation>
    </message>
    <message>
        <source>Undoing it would overwrite that change.</source>
        <translation>Das Rückgängigmachen würde diese Änderung überschreiben.</translation>
    </message>
    <message>
        <source>Redoing it would overwrite that change.</source>
        <translation>Das Wiederholen würde diese Änderung überschreiben.</translation>
    </message>
    <message>
        <source>Undoing it would overwrite those changes.</source>
        <translation>Das Rückgängigmachen würde diese Änderungen überschreiben.</translation>
    </message>
    <message>
        <source>Redoing it would overwrite those changes.</source>
        <translation>Das Wiederholen würde diese Änderungen überschreiben.</translation>
    </message>
    <message>
        <source>Undo Anyway</source>
        <translation>Trotzdem rückgängig machen</translation>
    </message>
    <message>
        <source>Redo Anyway</source>
        <translation>Trotzdem wiederholen</translation>
    </message>
    <message>
        <source>Change a Recurring Event</source>
        <translation>Wiederkehrenden Termin ändern</translation>
    </message>
    <message>
        <source>You are changing a recurring event. Would you like to change only this occurrence, or this and all future occurrences?</source>
        <translation>Sie ändern einen wiederkehrenden Termin. Möchten Sie nur dieses Vorkommen ändern oder dieses und alle künftigen?</translation>
    </message>
    <message>
        <source>New Calendar</source>
        <translation>Neuer Kalender</translation>
    </message>
    <message>
        <source>Warning about CalDAV calendars</source>
        <translation>Hinweis zu CalDAV-Kalendern</translation>
    </message>
    <message>
        <source>Your calendar store contains one or more CalDAV calendars. Unfortunately, these calendars cannot be syncronized by Verdalune, only by the program that synchronizes them. 

To ensure that these calendars are syncronized, update them using the program that synchronizes them, which will also update them in Verdalune.</source>
        <translation>Ihr Kalenderordner enthält einen oder mehrere CalDAV-Kalender. Leider kann Verdalune diese Kalender nicht selbst synchronisieren, das kann nur das Programm, das sie synchronisiert.

Damit diese Kalender synchron bleiben, aktualisieren Sie sie mit diesem Programm; dadurch werden sie auch in Verdalune aktualisiert.</translation>
    </message>
</context>
<context>
    <name>CalendarStoreController</name>
    <message>
        <source>Something unexpected happened that prevented the event %1 from being saved.</source>
        <translation>Etwas Unerwartetes hat verhindert, dass der Termin %1 gespeichert wurde.</translation>
    </message>
    <message>
        <source>Something unexpected happened that prevented the event %1 from being removed.</source>
        <translation>Etwas Unerwartetes hat verhindert, dass der Termin %1 gelöscht wurde.</translation>
    </message>
    <message>
        <source>Something unexpected happened that prevented the calendar %1 from being removed.</source>
        <translation>Etwas Unerwartetes hat verhindert, dass der Kalender %1 entfernt wurde.</translation>
    </message>
    <message>
        <source>Something unexpected happened that prevented the calendar %1 from being saved.</source>
        <translation>Etwas Unerwartetes hat verhindert, dass der Kalender %1 gespeichert wurde.</translation>
    </message>
    <message>
        <source>%1

Detailed information:
%2</source>
        <translation>%1

Genauere Angaben:
%2</translation>
    </message>
</context>
<context>
    <name>CalendarsOutlineController</name>
    <message>
        <source>Calendars</source>
        <translation>Kalender</translation>
    </message>
</context>
<context>
    <name>CalendarsOutlineModel</name>
    <message>
        <source>CALENDARS</source>
        <translation>KALENDER</translation>
    </message>
    <message>
        <source>SUBSCRIPTIONS</source>
        <translation>ABONNEMENTS</translation>
    </message>
    <message>
        <source>Its events are shown.</source>
        <translation>Seine Termine werden angezeigt.</translation>
    </message>
    <message>
        <source>Its events are hidden.</source>
        <translation>Seine Termine sind ausgeblendet.</translation>
    </message>
    <message>
        <source>Read-only: its events cannot be changed here.</source>
        <translation>Schreibgeschützt: Seine Termine können hier nicht geändert werden.</translation>
    </message>
    <message>
        <source>Synced: another program keeps it in step with a server.</source>
        <translation>Synchronisiert: Ein anderes Programm gleicht ihn mit einem Server ab.</translation>
    </message>
    <message>
        <source>Synced with the account %1.</source>
        <translation>Mit dem Konto %1 synchronisiert.</translation>
    </message>
</context>
<context>
    <name>CalendarsPane</name>
    <message>
        <source>Calendars shown</source>
        <translation>Angezeigte Kalender</translation>
    </message>
</context>
<context>
    <name>ChangeApplier</name>
    <message>
        <source>There was an unexpected error while handling changes to the calendar.</source>
        <translation>Beim Verarbeiten von Änderungen am Kalender ist ein unerwarteter Fehler aufgetreten.</translation>
    </message>
    <message>
        <source>Because of this error, you might not see a correct representation of you calendars, and it is recommend that you restart the application because of this.

Please report this error to %1

%2

Detailed information:
%3</source>
        <translation>Wegen dieses Fehlers werden Ihre Kalender möglicherweise nicht richtig angezeigt; wir empfehlen, das Programm neu zu starten.

Bitte melden Sie diesen Fehler an %1

%2

Genauere Angaben:
%3</translation>
    </message>
</context>
<context>
    <name>CustomRecurrenceController</name>
    <message>
        <source>Custom Recurrence</source>
        <translation>Eigene Wiederholung</translation>
    </message>
    <message>
        <source>Daily</source>
        <translation>Täglich</translation>
    </message>
    <message>
        <source>Weekly</source>
        <translation>Wöchentlich</translation>
    </message>
    <message>
        <source>Monthly</source>
        <translation>Monatlich</translation>
    </message>
    <message>
        <source>Yearly</source>
        <translation>Jährlich</translation>
    </message>
    <message>
        <source>Frequency</source>
        <translation>Häufigkeit</translation>
    </message>
    <message>
        <source>&amp;Frequency:</source>
        <translation>&amp;Häufigkeit:</translation>
    </message>
    <message>
        <source>Repeat every how many %1</source>
        <translation>Alle wie viele %1 wiederholen</translation>
    </message>
    <message>
        <source>E&amp;very</source>
        <translation>A&amp;lle</translation>
    </message>
    <message>
        <source>day</source>
        <translation>Tag</translation>
    </message>
    <message>
        <source>days</source>
        <translation>Tage</translation>
    </message>
    <message>
        <source>week</source>
        <translation>Woche</translation>
    </message>
    <message>
        <source>weeks</source>
        <translation>Wochen</translation>
    </message>
    <message>
        <source>Days of the week</source>
        <translation>Wochentage</translation>
    </message>
    <message>
        <source>&amp;On:</source>
        <translation>&amp;An:</translation>
    </message>
    <message>
        <source>first</source>
        <translation>ersten</translation>
    </message>
    <message>
        <source>second</source>
        <translation>zweiten</translation>
    </message>
    <message>
        <source>third</source>
        <translation>dritten</translation>
    </message>
    <message>
        <source>fourth</source>
        <translation>vierten</translation>
    </message>
    <message>
        <source>last</source>
        <translation>letzten</translation>
    </message>
    <message>
        <source>Which week of the month</source>
        <translation>Welche Woche des Monats</translation>
    </message>
    <message>
        <source>Day of the week</source>
        <translation>Wochentag</translation>
    </message>
    <message>
        <source>month</source>
        <translation>Monat</translation>
    </message>
    <message>
        <source>months</source>
        <translation>Monate</translation>
    </message>
    <message>
        <source>&amp;Each</source>
        <translation>&amp;Jeden</translation>
    </message>
    <message>
        <source>Days of the month</source>
        <translation>Tage des Monats</translation>
    </message>
    <message>
        <source>O&amp;n the</source>
        <translation>A&amp;m</translation>
    </message>
    <message>
        <source>year</source>
        <translation>Jahr</translation>
    </message>
    <message>
        <source>years</source>
        <translation>Jahre</translation>
    </message>
    <message>
        <source>Months of the year</source>
        <translation>Monate des Jahres</translation>
    </message>
    <message>
        <source>&amp;In:</source>
        <translation>&amp;Im:</translation>
    </message>
</context>
<context>
    <name>DialogUserInteraction</name>
    <message>
        <source>Only this occurrence</source>
        <translation>Nur dieses Vorkommen</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>Abbrechen</translation>
    </message>
    <message>
        <source>All future occurrences</source>
        <translation>Alle künftigen Vorkommen</translation>
    </message>
    <message>
        <source>Keep My Version</source>
        <translation>Meine Fassung behalten</translation>
    </message>
    <message>
        <source>Take Theirs</source>
        <translation>Andere übernehmen</translation>
    </message>
</context>
<context>
    <name>EditCalendarController</name>
    <message>
        <source>Title</source>
        <translation>Titel</translation>
    </message>
    <message>
        <source>Color</source>
        <translation>Farbe</translation>
    </message>
    <message>
        <source>Choose…</source>
        <translation>Auswählen…</translation>
    </message>
    <message>
        <source>Error</source>
        <translation>Fehler</translation>
    </message>
    <message>
        <source>OK</source>
        <translation>OK</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>Abbrechen</translation>
    </message>
    <message>
        <source>&amp;Title:</source>
        <translation>&amp;Titel:</translation>
    </message>
    <message>
        <source>&amp;Color:</source>
        <translation>&amp;Farbe:</translation>
    </message>
    <message>
        <source>New Calendar</source>
        <translation>Neuer Kalender</translation>
    </message>
    <message>
        <source>Edit Calendar</source>
        <translation>Kalender bearbeiten</translation>
    </message>
</context>
<context>
    <name>EditEventController</name>
    <message>
        <source>New Event</source>
        <translation>Neuer Termin</translation>
    </message>
    <message>
        <source>Event in words</source>
        <translation>Termin in Worten</translation>
    </message>
    <message>
        <source>work: fri 3pm to 4pm review</source>
        <translation>work: fri 3pm to 4pm review</translation>
    </message>
    <message>
        <source>Title</source>
        <translation>Titel</translation>
    </message>
    <message>
        <source>Start</source>
        <translation>Beginn</translation>
    </message>
    <message>
        <source>End</source>
        <translation>Ende</translation>
    </message>
    <message>
        <source>A&amp;ll day</source>
        <translation>&amp;Ganztägig</translation>
    </message>
    <message>
        <source>All day</source>
        <translation>Ganztägig</translation>
    </message>
    <message>
        <source>Calendar</source>
        <translation>Kalender</translation>
    </message>
    <message>
        <source>Location</source>
        <translation>Ort</translation>
    </message>
    <message>
        <source>Notes</source>
        <translation>Notizen</translation>
    </message>
    <message>
        <source>OK</source>
        <translation>OK</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>Abbrechen</translation>
    </message>
    <message>
        <source>&amp;Title:</source>
        <translation>&amp;Titel:</translation>
    </message>
    <message>
        <source>&amp;Starts:</source>
        <translation>&amp;Beginn:</translation>
    </message>
    <message>
        <source>&amp;Ends:</source>
        <translation>&amp;Ende:</translation>
    </message>
    <message>
        <source>&amp;Calendar:</source>
        <translation>&amp;Kalender:</translation>
    </message>
    <message>
        <source>L&amp;ocation:</source>
        <translation>&amp;Ort:</translation>
    </message>
    <message>
        <source>&amp;Notes:</source>
        <translation>&amp;Notizen:</translation>
    </message>
    <message>
        <source>Attendees:</source>
        <translation>Teilnehmer:</translation>
    </message>
    <message>
        <source>Event in Read-Only Calendar</source>
        <translation>Termin in schreibgeschütztem Kalender</translation>
    </message>
    <message>
        <source>Edit Event</source>
        <translation>Termin bearbeiten</translation>
    </message>
    <message>
        <source>The event was changed by another program</source>
        <translation>Der Termin wurde von einem anderen Programm geändert</translation>
    </message>
    <message>
        <source>“%1” was changed by another program while you edited it. Keep My Version overwrites that change; Take Theirs discards your edit.</source>
        <translation>„%1“ wurde von einem anderen Programm geändert, während Sie ihn bearbeitet haben. „Meine Fassung behalten“ überschreibt diese Änderung; „Andere übernehmen“ verwirft Ihre Bearbeitung.</translation>
    </message>
</context>
<context>
    <name>FirstTimeLaunchPanelController</name>
    <message>
        <source>&amp;Keep the shortcut and reminders working while Verdalune is closed
(starts at login)</source>
        <translation>Tastenkürzel und Erinnerungen auch bei geschlossenem
Verdalune &amp;aktiv halten (startet bei der Anmeldung)</translation>
    </message>
    <message>
        <source>Show this at every start</source>
        <translation>Dies bei jedem Start zeigen</translation>
    </message>
    <message>
        <source>Welcome to Verdalune</source>
        <translation>Willkommen bei Verdalune</translation>
    </message>
    <message>
        <source>&lt;h3&gt;Your calendars on one timeline&lt;/h3&gt;&lt;p&gt;&lt;b&gt;Move and zoom.&lt;/b&gt; Drag the timeline sideways or use Previous and Next in the tool bar; Ctrl+plus and Ctrl+minus zoom, Ctrl+L switches between the linear and the logarithmic scale.&lt;/p&gt;&lt;p&gt;&lt;b&gt;Double-click&lt;/b&gt; anywhere on the timeline to make an event there, then type its title. Drag an event to move it, drag its ends to change its length.&lt;/p&gt;&lt;p&gt;&lt;b&gt;Type an event&lt;/b&gt; with Ctrl+N in plain English, for example &lt;i&gt;tomorrow 12:30 to 13:30 lunch&lt;/i&gt;, &lt;i&gt;work: mon 9am standup&lt;/i&gt; or &lt;i&gt;fri to sun trip&lt;/i&gt;.&lt;/p&gt;</source>
        <translation>&lt;h3&gt;Ihre Kalender auf einer Zeitleiste&lt;/h3&gt;&lt;p&gt;&lt;b&gt;Verschieben und zoomen.&lt;/b&gt; Ziehen Sie die Zeitleiste seitwärts oder nutzen Sie Zurück und Weiter in der Werkzeugleiste; Strg+Plus und Strg+Minus zoomen, Strg+L wechselt zwischen linearer und logarithmischer Skala.&lt;/p&gt;&lt;p&gt;&lt;b&gt;Doppelklicken&lt;/b&gt; Sie irgendwo auf die Zeitleiste, um dort einen Termin anzulegen, und tippen Sie dann seinen Titel. Ziehen Sie einen Termin, um ihn zu verschieben, und seine Enden, um seine Dauer zu ändern.&lt;/p&gt;&lt;p&gt;&lt;b&gt;Tippen Sie einen Termin&lt;/b&gt; mit Strg+N auf Englisch ein, zum Beispiel &lt;i&gt;tomorrow 12:30 to 13:30 lunch&lt;/i&gt;, &lt;i&gt;work: mon 9am standup&lt;/i&gt; oder &lt;i&gt;fri to sun trip&lt;/i&gt;.&lt;/p&gt;</translation>
    </message>
    <message>
        <source>Keep the shortcut and reminders working while Verdalune is closed (starts at login)</source>
        <translation>Tastenkürzel und Erinnerungen auch bei geschlossenem Verdalune aktiv halten (startet bei der Anmeldung)</translation>
    </message>
    <message>
        <source>Show Keyboard Shortcuts</source>
        <translation>Tastenkürzel anzeigen</translation>
    </message>
</context>
<context>
    <name>GlobalHotKeyController</name>
    <message>
        <source>New Event</source>
        <translation>Neuer Termin</translation>
    </message>
</context>
<context>
    <name>GoToDateController</name>
    <message>
        <source>Go to Date</source>
        <translation>Gehe zu Datum</translation>
    </message>
    <message>
        <source>Show the timeline at:</source>
        <translation>Die Zeitleiste zeigen bei:</translation>
    </message>
    <message>
        <source>Date</source>
        <translation>Datum</translation>
    </message>
    <message>
        <source>next friday, 3/4, dec 24 9am</source>
        <translation>next friday, 3/4, dec 24 9am</translation>
    </message>
    <message>
        <source>Date picker</source>
        <translation>Datumsauswahl</translation>
    </message>
    <message>
        <source>Go</source>
        <translation>Los</translation>
    </message>
</context>
<context>
    <name>HelpWindow</name>
    <message>
        <source>Verdalune Help</source>
        <translation>Verdalune-Hilfe</translation>
    </message>
    <message>
        <source>User guide</source>
        <translation>Benutzerhandbuch</translation>
    </message>
</context>
<context>
    <name>HelperController</name>
    <message>
        <source>The helper %1 could not be started: %2</source>
        <translation>Das Hilfsprogramm %1 konnte nicht gestartet werden: %2</translation>
    </message>
    <message>
        <source>The shortcut and reminders work only while Verdalune is open. Check that verdalune-helper is installed beside verdalune and can be run, then switch “Keep the shortcut working while Verdalune is closed” off and on again in the preferences.</source>
        <translation>Das Tastenkürzel und die Erinnerungen funktionieren nur, solange Verdalune geöffnet ist. Prüfen Sie, ob verdalune-helper neben verdalune installiert ist und ausgeführt werden kann, und schalten Sie dann in den Einstellungen „Tastenkürzel auch bei geschlossenem Verdalune beibehalten“ aus und wieder ein.</translation>
    </message>
    <message>
        <source>Sorry, but I couldn&apos;t add the helper application to the Login Items.</source>
        <translation>Das Hilfsprogramm konnte leider nicht zu den Programmen hinzugefügt werden, die bei der Anmeldung starten.</translation>
    </message>
    <message>
        <source>This means that the global shortcut won&apos;t automatically work the next time you login.</source>
        <translation>Das bedeutet, dass das globale Tastenkürzel bei der nächsten Anmeldung nicht von selbst funktioniert.</translation>
    </message>
    <message>
        <source>Sorry, but I couldn&apos;t remove the helper application from the Login Items.</source>
        <translation>Das Hilfsprogramm konnte leider nicht aus den Programmen entfernt werden, die bei der Anmeldung starten.</translation>
    </message>
    <message>
        <source>This means that the helper application will automatically start the next time you login.  You could try and remove it yourself in your desktop&apos;s autostart settings, or remove its entry from %1.</source>
        <translation>Das bedeutet, dass das Hilfsprogramm bei der nächsten Anmeldung von selbst startet. Sie können es selbst in den Autostart-Einstellungen Ihrer Arbeitsumgebung entfernen oder seinen Eintrag aus %1 löschen.</translation>
    </message>
</context>
<context>
    <name>ImportController</name>
    <message>
        <source>Import Events</source>
        <translation>Termine importieren</translation>
    </message>
    <message>
        <source>iCalendar files (*.ics *.ical *.ifb);;All files (*)</source>
        <translation>iCalendar-Dateien (*.ics *.ical *.ifb);;Alle Dateien (*)</translation>
    </message>
    <message>
        <source>“%1”: %2</source>
        <translation>„%1“: %2</translation>
    </message>
    <message>
        <source>There is no calendar that can take the events.</source>
        <translation>Es gibt keinen Kalender, der die Termine aufnehmen kann.</translation>
    </message>
    <message>
        <source>Import the events of “%1” into:</source>
        <translation>Die Termine von „%1“ importieren in:</translation>
    </message>
    <message>
        <source>Import the events of %1 files into:</source>
        <translation>Die Termine von %1 Dateien importieren in:</translation>
    </message>
    <message>
        <source>“%1” is too large to be a calendar file.</source>
        <translation>„%1“ ist zu groß für eine Kalenderdatei.</translation>
    </message>
    <message>
        <source>“%1” cannot be read: %2</source>
        <translation>„%1“ kann nicht gelesen werden: %2</translation>
    </message>
    <message>
        <source>there is no such file</source>
        <translation>Diese Datei gibt es nicht</translation>
    </message>
    <message>
        <source>Nothing was imported. %1 %2</source>
        <translation>Es wurde nichts importiert. %1 %2</translation>
    </message>
    <message>
        <source>Nothing was imported.</source>
        <translation>Es wurde nichts importiert.</translation>
    </message>
    <message>
        <source>1 event imported into “%1”.</source>
        <translation>1 Termin in „%1“ importiert.</translation>
    </message>
    <message>
        <source>%1 events imported into “%2”.</source>
        <translation>%1 Termine in „%2“ importiert.</translation>
    </message>
    <message>
        <source>One imported alarm would run a program. It does not run until you choose its program in the event editor.</source>
        <translation>Eine importierte Erinnerung würde ein Programm ausführen. Sie wird erst ausgeführt, wenn Sie ihr Programm im Termineditor wählen.</translation>
    </message>
    <message>
        <source>%1 imported alarms would run a program. They do not run until you choose their program in the event editor.</source>
        <translation>%1 importierte Erinnerungen würden ein Programm ausführen. Sie werden erst ausgeführt, wenn Sie ihr Programm im Termineditor wählen.</translation>
    </message>
    <message>
        <source>Import</source>
        <translation>Import</translation>
    </message>
</context>
<context>
    <name>ImportFileCheck</name>
    <message>
        <source>“%1” is not the full path of a file.</source>
        <translation>„%1“ ist kein vollständiger Pfad zu einer Datei.</translation>
    </message>
    <message>
        <source>“%1” does not exist.</source>
        <translation>„%1“ existiert nicht.</translation>
    </message>
    <message>
        <source>“%1” is a folder, not a calendar file.</source>
        <translation>„%1“ ist ein Ordner, keine Kalenderdatei.</translation>
    </message>
    <message>
        <source>“%1” is not a regular file.</source>
        <translation>„%1“ ist keine gewöhnliche Datei.</translation>
    </message>
    <message>
        <source>“%1” cannot be read: permission denied.</source>
        <translation>„%1“ kann nicht gelesen werden: Zugriff verweigert.</translation>
    </message>
</context>
<context>
    <name>InvitationView</name>
    <message>
        <source>accepted</source>
        <translation>zugesagt</translation>
    </message>
    <message>
        <source>maybe</source>
        <translation>vielleicht</translation>
    </message>
    <message>
        <source>declined</source>
        <translation>abgesagt</translation>
    </message>
    <message>
        <source>delegated</source>
        <translation>weitergeleitet</translation>
    </message>
    <message>
        <source>no answer yet</source>
        <translation>noch keine Antwort</translation>
    </message>
    <message>
        <source>Attendees</source>
        <translation>Teilnehmer</translation>
    </message>
    <message>
        <source>Your answer:</source>
        <translation>Ihre Antwort:</translation>
    </message>
    <message>
        <source>Acce&amp;pt</source>
        <translation>&amp;Zusagen</translation>
    </message>
    <message>
        <source>&amp;Maybe</source>
        <translation>&amp;Vielleicht</translation>
    </message>
    <message>
        <source>Decl&amp;ine</source>
        <translation>Ab&amp;lehnen</translation>
    </message>
    <message>
        <source>To answer, add your address in Preferences under My addresses.</source>
        <translation>Um zu antworten, tragen Sie Ihre Adresse in den Einstellungen unter „Meine Adressen“ ein.</translation>
    </message>
    <message>
        <source>Organizer: %1</source>
        <translation>Organisator: %1</translation>
    </message>
</context>
<context>
    <name>LaunchRequest</name>
    <message>
        <source>unknown option %1</source>
        <translation>unbekannte Option %1</translation>
    </message>
</context>
<context>
    <name>MainWindow</name>
    <message>
        <source>Search events</source>
        <translation>Termine durchsuchen</translation>
    </message>
    <message>
        <source>&amp;File</source>
        <translation>&amp;Datei</translation>
    </message>
    <message>
        <source>&amp;New Event</source>
        <translation>&amp;Neuer Termin</translation>
    </message>
    <message>
        <source>New &amp;Calendar…</source>
        <translation>Neuer &amp;Kalender…</translation>
    </message>
    <message>
        <source>&amp;Import…</source>
        <translation>&amp;Importieren…</translation>
    </message>
    <message>
        <source>&amp;Close Window</source>
        <translation>Fenster &amp;schließen</translation>
    </message>
    <message>
        <source>&amp;Quit</source>
        <translation>&amp;Beenden</translation>
    </message>
    <message>
        <source>Timeline</source>
        <translation>Zeitleiste</translation>
    </message>
    <message>
        <source>Zoom</source>
        <translation>Zoom</translation>
    </message>
    <message>
        <source>Zoom: six hours to a hundred days</source>
        <translation>Zoom: sechs Stunden bis hundert Tage</translation>
    </message>
    <message>
        <source>Switch between a linear and a logarithmic time scale</source>
        <translation>Zwischen linearer und logarithmischer Zeitskala wechseln</translation>
    </message>
    <message>
        <source>&amp;Edit</source>
        <translation>&amp;Bearbeiten</translation>
    </message>
    <message>
        <source>Undo</source>
        <translation>Rückgängig</translation>
    </message>
    <message>
        <source>Redo</source>
        <translation>Wiederholen</translation>
    </message>
    <message>
        <source>Undo %1</source>
        <translation>%1 rückgängig machen</translation>
    </message>
    <message>
        <source>Redo %1</source>
        <translation>%1 wiederholen</translation>
    </message>
    <message>
        <source>&amp;Copy Event</source>
        <translation>Termin &amp;kopieren</translation>
    </message>
    <message>
        <source>&amp;Paste Event</source>
        <translation>Termin ein&amp;fügen</translation>
    </message>
    <message>
        <source>D&amp;uplicate Event</source>
        <translation>Termin &amp;duplizieren</translation>
    </message>
    <message>
        <source>&amp;Find…</source>
        <translation>&amp;Suchen…</translation>
    </message>
    <message>
        <source>&amp;Show Event</source>
        <translation>Termin &amp;anzeigen</translation>
    </message>
    <message>
        <source>Return</source>
        <translation>Eingabe</translation>
    </message>
    <message>
        <source>Delete Event</source>
        <translation>Termin löschen</translation>
    </message>
    <message>
        <source>Pre&amp;ferences…</source>
        <translation>Einstell&amp;ungen…</translation>
    </message>
    <message>
        <source>&amp;View</source>
        <translation>&amp;Ansicht</translation>
    </message>
    <message>
        <source>One Day</source>
        <translation>Ein Tag</translation>
    </message>
    <message>
        <source>One Week</source>
        <translation>Eine Woche</translation>
    </message>
    <message>
        <source>One Month</source>
        <translation>Ein Monat</translation>
    </message>
    <message>
        <source>Today</source>
        <translation>Heute</translation>
    </message>
    <message>
        <source>Previous</source>
        <translation>Zurück</translation>
    </message>
    <message>
        <source>Next</source>
        <translation>Weiter</translation>
    </message>
    <message>
        <source>Go to Date…</source>
        <translation>Gehe zu Datum…</translation>
    </message>
    <message>
        <source>Show &amp;Calendars</source>
        <translation>&amp;Kalender anzeigen</translation>
    </message>
    <message>
        <source>Zoom In</source>
        <translation>Vergrößern</translation>
    </message>
    <message>
        <source>Zoom Out</source>
        <translation>Verkleinern</translation>
    </message>
    <message>
        <source>Logarithmic Scale</source>
        <translation>Logarithmische Skala</translation>
    </message>
    <message>
        <source>&amp;Help</source>
        <translation>&amp;Hilfe</translation>
    </message>
    <message>
        <source>Verdalune &amp;Help</source>
        <translation>Verdalune-&amp;Hilfe</translation>
    </message>
    <message>
        <source>&amp;Tips for Efficient Usage</source>
        <translation>Tipps für &amp;effizientes Arbeiten</translation>
    </message>
    <message>
        <source>&amp;Keyboard Shortcuts</source>
        <translation>&amp;Tastenkürzel</translation>
    </message>
    <message>
        <source>When Something Goes &amp;Wrong</source>
        <translation>Wenn etwas &amp;schiefgeht</translation>
    </message>
    <message>
        <source>&amp;About Verdalune</source>
        <translation>Ü&amp;ber Verdalune</translation>
    </message>
    <message>
        <source>About Verdalune</source>
        <translation>Über Verdalune</translation>
    </message>
    <message>
        <source>&lt;b&gt;Verdalune&lt;/b&gt; %1&lt;br&gt;Your calendars on one zoomable timeline. Type an event in plain English: &lt;i&gt;tomorrow 12:30 to 13:30 lunch&lt;/i&gt;.</source>
        <translation>&lt;b&gt;Verdalune&lt;/b&gt; %1&lt;br&gt;Ihre Kalender auf einer zoombaren Zeitleiste. Tippen Sie einen Termin auf Englisch ein: &lt;i&gt;tomorrow 12:30 to 13:30 lunch&lt;/i&gt;.</translation>
    </message>
    <message>
        <source>Show Event</source>
        <translation>Termin anzeigen</translation>
    </message>
    <message>
        <source>Select the previous or next event</source>
        <translation>Den vorigen oder nächsten Termin auswählen</translation>
    </message>
    <message>
        <source>Left, Right</source>
        <translation>Links, Rechts</translation>
    </message>
    <message>
        <source>Select the event in the row above or below</source>
        <translation>Den Termin in der Zeile darüber oder darunter auswählen</translation>
    </message>
    <message>
        <source>Up, Down</source>
        <translation>Hoch, Runter</translation>
    </message>
    <message>
        <source>Step through the events shown</source>
        <translation>Die angezeigten Termine durchgehen</translation>
    </message>
    <message>
        <source>Tab, Shift+Tab</source>
        <translation>Tab, Umschalt+Tab</translation>
    </message>
    <message>
        <source>Earlier or later</source>
        <translation>Früher oder später</translation>
    </message>
    <message>
        <source>Page Up, Page Down</source>
        <translation>Bild auf, Bild ab</translation>
    </message>
    <message>
        <source>Show now</source>
        <translation>Jetzt zeigen</translation>
    </message>
    <message>
        <source>Home</source>
        <translation>Pos1</translation>
    </message>
    <message>
        <source>Stop a drag or naming, then clear the selection</source>
        <translation>Ziehen oder Benennen abbrechen, dann die Auswahl aufheben</translation>
    </message>
    <message>
        <source>Escape</source>
        <translation>Esc</translation>
    </message>
    <message>
        <source>Zoom in or out at the pointer</source>
        <translation>Am Mauszeiger vergrößern oder verkleinern</translation>
    </message>
    <message>
        <source>Ctrl+wheel</source>
        <translation>Strg+Mausrad</translation>
    </message>
    <message>
        <source>Move in time</source>
        <translation>In der Zeit bewegen</translation>
    </message>
    <message>
        <source>Shift+wheel</source>
        <translation>Umschalt+Mausrad</translation>
    </message>
    <message>
        <source>none (set it in Preferences)</source>
        <translation>keines (in den Einstellungen festlegen)</translation>
    </message>
    <message>
        <source>New event from anywhere</source>
        <translation>Neuer Termin von überall</translation>
    </message>
    <message>
        <source>Keyboard Shortcuts</source>
        <translation>Tastenkürzel</translation>
    </message>
    <message>
        <source>&amp;Calendar</source>
        <translation>&amp;Kalender</translation>
    </message>
    <message>
        <source>&amp;Edit Calendar…</source>
        <translation>Kalender &amp;bearbeiten…</translation>
    </message>
    <message>
        <source>&amp;Remove Calendar…</source>
        <translation>Kalender &amp;entfernen…</translation>
    </message>
    <message>
        <source>&amp;Sync Now</source>
        <translation>&amp;Jetzt synchronisieren</translation>
    </message>
    <message>
        <source>&amp;Add CalDAV Account…</source>
        <translation>&amp;CalDAV-Konto hinzufügen…</translation>
    </message>
    <message>
        <source>Remove Acc&amp;ount…</source>
        <translation>K&amp;onto entfernen…</translation>
    </message>
</context>
<context>
    <name>PTKeyCombo</name>
    <message>
        <source>(None)</source>
        <translation>(Keines)</translation>
    </message>
    <message>
        <source>Ctrl</source>
        <translation>Strg</translation>
    </message>
    <message>
        <source>Alt</source>
        <translation>Alt</translation>
    </message>
    <message>
        <source>Shift</source>
        <translation>Umschalt</translation>
    </message>
    <message>
        <source>Super</source>
        <translation>Super</translation>
    </message>
</context>
<context>
    <name>PortalHotKeyBackend</name>
    <message>
        <source>This Wayland desktop does not let programs have global shortcuts.</source>
        <translation>Diese Wayland-Arbeitsumgebung erlaubt Programmen keine globalen Tastenkürzel.</translation>
    </message>
    <message>
        <source>The desktop refused the shortcut: %1</source>
        <translation>Die Arbeitsumgebung hat das Tastenkürzel abgelehnt: %1</translation>
    </message>
    <message>
        <source>The desktop did not allow the shortcut.</source>
        <translation>Die Arbeitsumgebung hat das Tastenkürzel nicht erlaubt.</translation>
    </message>
</context>
<context>
    <name>PreferenceController</name>
    <message>
        <source>&amp;12-hour (1:30 PM)</source>
        <translation>&amp;12 Stunden (1:30 PM)</translation>
    </message>
    <message>
        <source>&amp;24-hour (13:30)</source>
        <translation>&amp;24 Stunden (13:30)</translation>
    </message>
    <message>
        <source>&amp;Month before day (12/31)</source>
        <translation>&amp;Monat vor Tag (12/31)</translation>
    </message>
    <message>
        <source>&amp;Day before month (31/12)</source>
        <translation>&amp;Tag vor Monat (31/12)</translation>
    </message>
    <message>
        <source>&amp;Keep the shortcut working while Verdalune is closed</source>
        <translation>Tastenkürzel auch bei geschlossenem Verdalune &amp;beibehalten</translation>
    </message>
    <message>
        <source>Preferences</source>
        <translation>Einstellungen</translation>
    </message>
    <message>
        <source>Starts a small helper at login that owns the shortcut</source>
        <translation>Startet bei der Anmeldung ein kleines Hilfsprogramm, das das Tastenkürzel hält</translation>
    </message>
    <message>
        <source>Shortcut status</source>
        <translation>Zustand des Tastenkürzels</translation>
    </message>
    <message>
        <source>Clock</source>
        <translation>Uhr</translation>
    </message>
    <message>
        <source>Dates typed as numbers</source>
        <translation>Als Zahlen getippte Daten</translation>
    </message>
    <message>
        <source>New event from anywhere</source>
        <translation>Neuer Termin von überall</translation>
    </message>
    <message>
        <source>&amp;Shortcut:</source>
        <translation>Tasten&amp;kürzel:</translation>
    </message>
    <message>
        <source>Invitations</source>
        <translation>Einladungen</translation>
    </message>
    <message>
        <source>My &amp;addresses:</source>
        <translation>Meine &amp;Adressen:</translation>
    </message>
    <message>
        <source>you@example.org, …</source>
        <translation>sie@example.org, …</translation>
    </message>
    <message>
        <source>The e-mail addresses by which invitations name you, so that you can answer them; separated by commas</source>
        <translation>Die E-Mail-Adressen, unter denen Einladungen Sie nennen, damit Sie darauf antworten können; durch Kommas getrennt</translation>
    </message>
    <message>
        <source>CalDAV accounts</source>
        <translation>CalDAV-Konten</translation>
    </message>
    <message>
        <source>Minutes between syncs</source>
        <translation>Minuten zwischen den Abgleichen</translation>
    </message>
    <message>
        <source>Sync with servers &amp;every %1 minutes</source>
        <translation>&amp;Alle %1 Minuten mit den Servern abgleichen</translation>
    </message>
</context>
<context>
    <name>QApplication</name>
    <message>
        <source>The calendar folder %1 cannot be created.</source>
        <translation>Der Kalenderordner %1 kann nicht angelegt werden.</translation>
    </message>
</context>
<context>
    <name>ReadProgressStatus</name>
    <message>
        <source>Reading calendar files: %1 of %2</source>
        <translation>Kalenderdateien werden gelesen: %1 von %2</translation>
    </message>
</context>
<context>
    <name>RecurrenceSettingsViewController</name>
    <message>
        <source>No Recurrence</source>
        <translation>Keine Wiederholung</translation>
    </message>
    <message>
        <source>Daily</source>
        <translation>Täglich</translation>
    </message>
    <message>
        <source>Weekly</source>
        <translation>Wöchentlich</translation>
    </message>
    <message>
        <source>Monthly</source>
        <translation>Monatlich</translation>
    </message>
    <message>
        <source>Yearly</source>
        <translation>Jährlich</translation>
    </message>
    <message>
        <source>Other...</source>
        <translation>Andere...</translation>
    </message>
    <message>
        <source>Repeat</source>
        <translation>Wiederholen</translation>
    </message>
    <message>
        <source>Never Ends</source>
        <translation>Endet nie</translation>
    </message>
    <message>
        <source>Ends After Count</source>
        <translation>Endet nach Anzahl</translation>
    </message>
    <message>
        <source>Ends After Date</source>
        <translation>Endet nach Datum</translation>
    </message>
    <message>
        <source>Ends</source>
        <translation>Endet</translation>
    </message>
    <message>
        <source>Number of occurrences</source>
        <translation>Anzahl der Vorkommen</translation>
    </message>
    <message>
        <source>End date</source>
        <translation>Enddatum</translation>
    </message>
    <message>
        <source>&amp;Repeat:</source>
        <translation>&amp;Wiederholen:</translation>
    </message>
    <message>
        <source>E&amp;nds:</source>
        <translation>En&amp;det:</translation>
    </message>
    <message>
        <source>&amp;Occurrences:</source>
        <translation>&amp;Anzahl:</translation>
    </message>
    <message>
        <source>End &amp;date:</source>
        <translation>Enddat&amp;um:</translation>
    </message>
</context>
<context>
    <name>RemoveAccountController</name>
    <message>
        <source>Remove the account “%1”?</source>
        <translation>Das Konto „%1“ entfernen?</translation>
    </message>
    <message>
        <source>Its calendars are no longer synced. Keep copies of them on this computer, or remove them from it too.</source>
        <translation>Seine Kalender werden nicht mehr abgeglichen. Behalten Sie Kopien davon auf diesem Computer, oder entfernen Sie sie auch hier.</translation>
    </message>
    <message>
        <source>Keep Copies</source>
        <translation>Kopien behalten</translation>
    </message>
    <message>
        <source>Remove Calendars</source>
        <translation>Kalender entfernen</translation>
    </message>
</context>
<context>
    <name>RemoveCalendarController</name>
    <message>
        <source>Remove Calendar</source>
        <translation>Kalender entfernen</translation>
    </message>
    <message>
        <source>Calendar to remove</source>
        <translation>Zu entfernender Kalender</translation>
    </message>
    <message>
        <source>&amp;Remove its events</source>
        <translation>Seine Termine &amp;löschen</translation>
    </message>
    <message>
        <source>Remove its events</source>
        <translation>Seine Termine löschen</translation>
    </message>
    <message>
        <source>&amp;Move its events to:</source>
        <translation>Seine Termine &amp;verschieben nach:</translation>
    </message>
    <message>
        <source>Move its events to</source>
        <translation>Seine Termine verschieben nach</translation>
    </message>
    <message>
        <source>Calendar to move the events to</source>
        <translation>Kalender, in den die Termine verschoben werden</translation>
    </message>
    <message>
        <source>Remove</source>
        <translation>Entfernen</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>Abbrechen</translation>
    </message>
    <message>
        <source>It holds no events.</source>
        <translation>Er enthält keine Termine.</translation>
    </message>
    <message>
        <source>It holds 1 event.</source>
        <translation>Er enthält 1 Termin.</translation>
    </message>
    <message>
        <source>It holds %1 events.</source>
        <translation>Er enthält %1 Termine.</translation>
    </message>
    <message>
        <source>Remove the calendar “%1” from your calendars? %2 They can be removed with it or kept by moving them to another calendar.</source>
        <translation>Den Kalender „%1“ aus Ihren Kalendern entfernen? %2 Seine Termine können mit ihm gelöscht oder durch Verschieben in einen anderen Kalender behalten werden.</translation>
    </message>
</context>
<context>
    <name>SearchController</name>
    <message>
        <source>Search</source>
        <translation>Suchen</translation>
    </message>
    <message>
        <source>Search events</source>
        <translation>Termine durchsuchen</translation>
    </message>
</context>
<context>
    <name>SearchResultsModel</name>
    <message>
        <source>%1, %2</source>
        <translation>%1, %2</translation>
    </message>
    <message>
        <source>%1 %2</source>
        <translation>%1 %2</translation>
    </message>
    <message>
        <source>Date</source>
        <translation>Datum</translation>
    </message>
    <message>
        <source>Title</source>
        <translation>Titel</translation>
    </message>
    <message>
        <source>Calendar</source>
        <translation>Kalender</translation>
    </message>
</context>
<context>
    <name>SearchResultsPane</name>
    <message>
        <source>All Calendars</source>
        <translation>Alle Kalender</translation>
    </message>
    <message>
        <source>Shown Calendars</source>
        <translation>Angezeigte Kalender</translation>
    </message>
    <message>
        <source>Calendars to search</source>
        <translation>Zu durchsuchende Kalender</translation>
    </message>
    <message>
        <source>Past and Future</source>
        <translation>Vergangenheit und Zukunft</translation>
    </message>
    <message>
        <source>Future</source>
        <translation>Zukunft</translation>
    </message>
    <message>
        <source>Past</source>
        <translation>Vergangenheit</translation>
    </message>
    <message>
        <source>Time to search</source>
        <translation>Zu durchsuchender Zeitraum</translation>
    </message>
    <message>
        <source>Close Search (Esc)</source>
        <translation>Suche schließen (Esc)</translation>
    </message>
    <message>
        <source>Close search</source>
        <translation>Suche schließen</translation>
    </message>
    <message>
        <source>Search results</source>
        <translation>Suchergebnisse</translation>
    </message>
</context>
<context>
    <name>ShortcutRecorder</name>
    <message>
        <source>New event shortcut</source>
        <translation>Tastenkürzel für neuen Termin</translation>
    </message>
    <message>
        <source>Type the shortcut…</source>
        <translation>Tastenkürzel drücken…</translation>
    </message>
    <message>
        <source>Escape cancels, Backspace clears the shortcut</source>
        <translation>Esc bricht ab, Rücktaste löscht das Tastenkürzel</translation>
    </message>
    <message>
        <source>Click to record a shortcut</source>
        <translation>Klicken, um ein Tastenkürzel aufzunehmen</translation>
    </message>
    <message>
        <source>Click, then type the new shortcut</source>
        <translation>Klicken Sie und drücken Sie dann das neue Tastenkürzel</translation>
    </message>
</context>
<context>
    <name>StatusDescriptionController</name>
    <message>
        <source>showing all calendars</source>
        <translation>alle Kalender werden angezeigt</translation>
    </message>
    <message>
        <source>showing %1 of %2 calendars</source>
        <translation>%1 von %2 Kalendern werden angezeigt</translation>
    </message>
</context>
<context>
    <name>SyncConflictController</name>
    <message>
        <source>Changed on Both Sides</source>
        <translation>Auf beiden Seiten geändert</translation>
    </message>
    <message>
        <source>“%1” in the calendar “%2” was changed on this computer and on the server since the last sync.</source>
        <translation>„%1“ im Kalender „%2“ wurde seit dem letzten Abgleich auf diesem Computer und auf dem Server geändert.</translation>
    </message>
    <message>
        <source>Keep your version, which then goes to the server, or take the server&apos;s. Decided later, both stay as they are until the next sync asks again.</source>
        <translation>Behalten Sie Ihre Fassung, die dann an den Server geht, oder übernehmen Sie die des Servers. Wenn Sie später entscheiden, bleiben beide, wie sie sind, bis der nächste Abgleich wieder fragt.</translation>
    </message>
    <message>
        <source>Keep Mine</source>
        <translation>Meine behalten</translation>
    </message>
    <message>
        <source>Take Theirs</source>
        <translation>Server-Fassung übernehmen</translation>
    </message>
    <message>
        <source>Decide Later</source>
        <translation>Später entscheiden</translation>
    </message>
</context>
<context>
    <name>TimeIntervalPicker</name>
    <message>
        <source>before</source>
        <translation>vorher</translation>
    </message>
    <message>
        <source>Alarm time</source>
        <translation>Zeitpunkt der Erinnerung</translation>
    </message>
    <message>
        <source>Seconds</source>
        <translation>Sekunden</translation>
    </message>
    <message>
        <source>Minutes</source>
        <translation>Minuten</translation>
    </message>
    <message>
        <source>Hours</source>
        <translation>Stunden</translation>
    </message>
    <message>
        <source>Days</source>
        <translation>Tage</translation>
    </message>
    <message>
        <source>Alarm time unit</source>
        <translation>Zeiteinheit der Erinnerung</translation>
    </message>
    <message>
        <source>after</source>
        <translation>nachher</translation>
    </message>
</context>
<context>
    <name>TimelineView</name>
    <message>
        <source>Timeline</source>
        <translation>Zeitleiste</translation>
    </message>
    <message>
        <source>Your events along a line of time. The arrow keys and Tab choose an event, Return opens it, Page Up and Page Down show the time before or after, and Home shows now.</source>
        <translation>Ihre Termine entlang einer Zeitleiste. Die Pfeiltasten und Tab wählen einen Termin, die Eingabetaste öffnet ihn, Bild auf und Bild ab zeigen die Zeit davor oder danach, und Pos1 zeigt die Gegenwart.</translation>
    </message>
</context>
<context>
    <name>TimelineViewController</name>
    <message>
        <source>New Event</source>
        <translation>Neuer Termin</translation>
    </message>
    <message>
        <source>Edit Event</source>
        <translation>Termin bearbeiten</translation>
    </message>
    <message>
        <source>Rename Event</source>
        <translation>Termin umbenennen</translation>
    </message>
</context>
<context>
    <name>VdirsyncerRun</name>
    <message>
        <source>error: vdirsyncer could not be started: %1</source>
        <translation>Fehler: vdirsyncer konnte nicht gestartet werden: %1</translation>
    </message>
</context>
<context>
    <name>X11HotKeyBackend</name>
    <message>
        <source>Global shortcuts need an X11 session or a desktop that offers them to applications; the X display &quot;%1&quot; could not be opened.</source>
        <translation>Globale Tastenkürzel brauchen eine X11-Sitzung oder eine Arbeitsumgebung, die sie Programmen anbietet; die X-Anzeige „%1“ konnte nicht geöffnet werden.</translation>
    </message>
    <message>
        <source>The key with code %1 is not on this keyboard.</source>
        <translation>Die Taste mit dem Code %1 gibt es auf dieser Tastatur nicht.</translation>
    </message>
    <message>
        <source>Another program already uses this key combination.</source>
        <translation>Ein anderes Programm verwendet diese Tastenkombination bereits.</translation>
    </message>
    <message>
        <source>The X server refused the key combination (error %1).</source>
        <translation>Der X-Server hat die Tastenkombination abgelehnt (Fehler %1).</translation>
    </message>
</context>
</TS>
