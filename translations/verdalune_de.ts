<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="de_DE">
<context>
    <name>ActionsController</name>
    <message>
        <source>Remove Event</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Paste Event</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Duplicate Event</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>AlarmService</name>
    <message>
        <source>This reminder asks to run %1. It was not run, because its calendar is read-only.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>This reminder asks to run %1. It was not run, because it was not set up on this computer.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The alarm&apos;s program %1 could not be run.</source>
        <translation type="unfinished"></translation>
    </message>
    <message numerus="yes">
        <source>%n reminders at %1</source>
        <translation type="unfinished">
            <numerusform></numerusform>
            <numerusform></numerusform>
        </translation>
    </message>
    <message>
        <source>Open</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Reminder</source>
        <translation type="unfinished"></translation>
    </message>
    <message numerus="yes">
        <source>and %n more</source>
        <translation type="unfinished">
            <numerusform></numerusform>
            <numerusform></numerusform>
        </translation>
    </message>
    <message>
        <source>Snooze 5 min</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>AlarmSettingsViewController</name>
    <message>
        <source>5 minutes before</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>15 minutes before</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>30 minutes before</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>1 hour before</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>2 hours before</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>1 day before</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>2 days before</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>On date of event</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Choose a Program to Run</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Alarm:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Date:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Sound:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Program:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Alarm type</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Alarm date</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Alarm sound</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Program to run</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Program argument</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Program not run</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>No Alert</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Message</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Run…</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Message with Sound</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Choose…</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>With the argument: %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Not set up on this computer: it does not run until you choose its program with Run…</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>It does not run: the calendar is read-only.</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>ApplicationDelegate</name>
    <message>
        <source>This application probably won&apos;t work with your type of calendar.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The application has only been tested with gregorian calendars and was not designed with any other types of calendars in mind.  Therefore, it will probably not work correctly in all cases since you are not using a gregorian calendar. Sorry about that!

Such support might be added in the future.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Quit</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>I&apos;m feeling lucky!</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>BaseCalendarController</name>
    <message>
        <source>New Event</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>CalendarCheckBoxDelegate</name>
    <message>
        <source>synced</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>CalendarColorButton</name>
    <message>
        <source>Calendar Color</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Calendar color</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>CalendarController</name>
    <message>
        <source>“%1” was changed by another program after this change.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>“%1” and %2 more were changed by other programs after this change.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Undoing it would overwrite that change.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Redoing it would overwrite that change.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Undoing it would overwrite those changes.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Redoing it would overwrite those changes.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Undo Anyway</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Redo Anyway</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Change a Recurring Event</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>You are changing a recurring event. Would you like to change only this occurrence, or this and all future occurrences?</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>New Calendar</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Warning about CalDAV calendars</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Your calendar store contains one or more CalDAV calendars. Unfortunately, these calendars cannot be syncronized by Verdalune, only by the program that synchronizes them. 

To ensure that these calendars are syncronized, update them using the program that synchronizes them, which will also update them in Verdalune.</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>CalendarStoreController</name>
    <message>
        <source>Something unexpected happened that prevented the event %1 from being saved.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Something unexpected happened that prevented the event %1 from being removed.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Something unexpected happened that prevented the calendar %1 from being removed.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Something unexpected happened that prevented the calendar %1 from being saved.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1

Detailed information:
%2</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>CalendarsOutlineController</name>
    <message>
        <source>Calendars</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>CalendarsOutlineModel</name>
    <message>
        <source>CALENDARS</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>SUBSCRIPTIONS</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Its events are shown.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Its events are hidden.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Read-only: its events cannot be changed here.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Synced: another program keeps it in step with a server.</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>CalendarsPane</name>
    <message>
        <source>Calendars shown</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>ChangeApplier</name>
    <message>
        <source>There was an unexpected error while handling changes to the calendar.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Because of this error, you might not see a correct representation of you calendars, and it is recommend that you restart the application because of this.

Please report this error to %1

%2

Detailed information:
%3</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>CustomRecurrenceController</name>
    <message>
        <source>Custom Recurrence</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Daily</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Weekly</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Monthly</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Yearly</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Frequency</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Frequency:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Repeat every how many %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>E&amp;very</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>day</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>days</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>week</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>weeks</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Days of the week</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;On:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>first</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>second</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>third</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>fourth</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>last</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Which week of the month</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Day of the week</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>month</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>months</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Each</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Days of the month</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>O&amp;n the</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>year</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>years</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Months of the year</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;In:</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>DialogUserInteraction</name>
    <message>
        <source>Only this occurrence</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>All future occurrences</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Keep My Version</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Take Theirs</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>EditCalendarController</name>
    <message>
        <source>Title</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Color</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Choose…</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Error</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>OK</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Title:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Color:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>New Calendar</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Edit Calendar</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>EditEventController</name>
    <message>
        <source>New Event</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Event in words</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>work: fri 3pm to 4pm review</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Title</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Start</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>End</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>A&amp;ll day</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>All day</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Calendar</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Location</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Notes</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>OK</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Title:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Starts:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Ends:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Calendar:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>L&amp;ocation:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Notes:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Attendees:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Event in Read-Only Calendar</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Edit Event</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The event was changed by another program</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>“%1” was changed by another program while you edited it. Keep My Version overwrites that change; Take Theirs discards your edit.</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>FirstTimeLaunchPanelController</name>
    <message>
        <source>&amp;Keep the shortcut and reminders working while Verdalune is closed
(starts at login)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Show this at every start</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Welcome to Verdalune</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&lt;h3&gt;Your calendars on one timeline&lt;/h3&gt;&lt;p&gt;&lt;b&gt;Move and zoom.&lt;/b&gt; Drag the timeline sideways or use Previous and Next in the tool bar; Ctrl+plus and Ctrl+minus zoom, Ctrl+L switches between the linear and the logarithmic scale.&lt;/p&gt;&lt;p&gt;&lt;b&gt;Double-click&lt;/b&gt; anywhere on the timeline to make an event there, then type its title. Drag an event to move it, drag its ends to change its length.&lt;/p&gt;&lt;p&gt;&lt;b&gt;Type an event&lt;/b&gt; with Ctrl+N in plain English, for example &lt;i&gt;tomorrow 12:30 to 13:30 lunch&lt;/i&gt;, &lt;i&gt;work: mon 9am standup&lt;/i&gt; or &lt;i&gt;fri to sun trip&lt;/i&gt;.&lt;/p&gt;</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Keep the shortcut and reminders working while Verdalune is closed (starts at login)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Show Keyboard Shortcuts</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>GlobalHotKeyController</name>
    <message>
        <source>New Event</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>GoToDateController</name>
    <message>
        <source>Go to Date</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Show the timeline at:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Date</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>next friday, 3/4, dec 24 9am</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Date picker</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Go</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>HelpWindow</name>
    <message>
        <source>Verdalune Help</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>User guide</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>HelperController</name>
    <message>
        <source>The helper %1 could not be started: %2</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The shortcut and reminders work only while Verdalune is open. Check that verdalune-helper is installed beside verdalune and can be run, then switch “Keep the shortcut working while Verdalune is closed” off and on again in the preferences.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Sorry, but I couldn&apos;t add the helper application to the Login Items.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>This means that the global shortcut won&apos;t automatically work the next time you login.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Sorry, but I couldn&apos;t remove the helper application from the Login Items.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>This means that the helper application will automatically start the next time you login.  You could try and remove it yourself in your desktop&apos;s autostart settings, or remove its entry from %1.</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>ImportController</name>
    <message>
        <source>Import Events</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>iCalendar files (*.ics *.ical *.ifb);;All files (*)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>“%1”: %2</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>There is no calendar that can take the events.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Import the events of “%1” into:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Import the events of %1 files into:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>“%1” is too large to be a calendar file.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>“%1” cannot be read: %2</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>there is no such file</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Nothing was imported. %1 %2</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Nothing was imported.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>1 event imported into “%1”.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1 events imported into “%2”.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>One imported alarm would run a program. It does not run until you choose its program in the event editor.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1 imported alarms would run a program. They do not run until you choose their program in the event editor.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Import</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>ImportFileCheck</name>
    <message>
        <source>“%1” is not the full path of a file.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>“%1” does not exist.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>“%1” is a folder, not a calendar file.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>“%1” is not a regular file.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>“%1” cannot be read: permission denied.</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>InvitationView</name>
    <message>
        <source>accepted</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>maybe</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>declined</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>delegated</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>no answer yet</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Attendees</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Your answer:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Acce&amp;pt</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Maybe</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Decl&amp;ine</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>To answer, add your address in Preferences under My addresses.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Organizer: %1</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>LaunchRequest</name>
    <message>
        <source>unknown option %1</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>MainWindow</name>
    <message>
        <source>Search events</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;File</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;New Event</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>New &amp;Calendar…</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Import…</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Close Window</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Quit</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Timeline</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Zoom</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Zoom: six hours to a hundred days</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Switch between a linear and a logarithmic time scale</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Edit</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Undo</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Redo</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Undo %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Redo %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Copy Event</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Paste Event</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>D&amp;uplicate Event</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Find…</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Show Event</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Return</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Delete Event</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Pre&amp;ferences…</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;View</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>One Day</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>One Week</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>One Month</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Today</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Previous</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Next</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Go to Date…</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Show &amp;Calendars</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Zoom In</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Zoom Out</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Logarithmic Scale</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Help</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Verdalune &amp;Help</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Tips for Efficient Usage</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Keyboard Shortcuts</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>When Something Goes &amp;Wrong</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;About Verdalune</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>About Verdalune</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&lt;b&gt;Verdalune&lt;/b&gt; %1&lt;br&gt;Your calendars on one zoomable timeline. Type an event in plain English: &lt;i&gt;tomorrow 12:30 to 13:30 lunch&lt;/i&gt;.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Show Event</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Select the previous or next event</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Left, Right</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Select the event in the row above or below</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Up, Down</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Step through the events shown</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Tab, Shift+Tab</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Earlier or later</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Page Up, Page Down</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Show now</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Home</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Stop a drag or naming, then clear the selection</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Escape</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Zoom in or out at the pointer</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Ctrl+wheel</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Move in time</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Shift+wheel</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>none (set it in Preferences)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>New event from anywhere</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Keyboard Shortcuts</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Calendar</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Edit Calendar…</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Remove Calendar…</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>PTKeyCombo</name>
    <message>
        <source>(None)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Ctrl</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Alt</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Shift</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Super</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>PortalHotKeyBackend</name>
    <message>
        <source>This Wayland desktop does not let programs have global shortcuts.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The desktop refused the shortcut: %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The desktop did not allow the shortcut.</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>PreferenceController</name>
    <message>
        <source>&amp;12-hour (1:30 PM)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;24-hour (13:30)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Month before day (12/31)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Day before month (31/12)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Keep the shortcut working while Verdalune is closed</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Preferences</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Starts a small helper at login that owns the shortcut</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Shortcut status</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Clock</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Dates typed as numbers</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>New event from anywhere</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Shortcut:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Invitations</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>My &amp;addresses:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>you@example.org, …</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The e-mail addresses by which invitations name you, so that you can answer them; separated by commas</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>QApplication</name>
    <message>
        <source>The calendar folder %1 cannot be created.</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>RecurrenceSettingsViewController</name>
    <message>
        <source>No Recurrence</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Daily</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Weekly</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Monthly</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Yearly</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Other...</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Repeat</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Never Ends</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Ends After Count</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Ends After Date</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Ends</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Number of occurrences</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>End date</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Repeat:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>E&amp;nds:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Occurrences:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>End &amp;date:</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>RemoveCalendarController</name>
    <message>
        <source>Remove Calendar</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Calendar to remove</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Remove its events</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Remove its events</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Move its events to:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Move its events to</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Calendar to move the events to</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Remove</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>It holds no events.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>It holds 1 event.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>It holds %1 events.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Remove the calendar “%1” from your calendars? %2 They can be removed with it or kept by moving them to another calendar.</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>SearchController</name>
    <message>
        <source>Search</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Search events</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>SearchResultsModel</name>
    <message>
        <source>%1, %2</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1 %2</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Date</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Title</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Calendar</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>SearchResultsPane</name>
    <message>
        <source>All Calendars</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Shown Calendars</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Calendars to search</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Past and Future</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Future</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Past</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Time to search</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Close Search (Esc)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Close search</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Search results</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>ShortcutRecorder</name>
    <message>
        <source>New event shortcut</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Type the shortcut…</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Escape cancels, Backspace clears the shortcut</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Click to record a shortcut</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Click, then type the new shortcut</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>StatusDescriptionController</name>
    <message>
        <source>showing all calendars</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>showing %1 of %2 calendars</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>TimeIntervalPicker</name>
    <message>
        <source>before</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Alarm time</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Seconds</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Minutes</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Hours</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Days</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Alarm time unit</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>after</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>TimelineView</name>
    <message>
        <source>Timeline</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Your events along a line of time. The arrow keys and Tab choose an event, Return opens it, Page Up and Page Down show the time before or after, and Home shows now.</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>TimelineViewController</name>
    <message>
        <source>New Event</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Edit Event</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Rename Event</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>X11HotKeyBackend</name>
    <message>
        <source>Global shortcuts need an X11 session or a desktop that offers them to applications; the X display &quot;%1&quot; could not be opened.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The key with code %1 is not on this keyboard.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Another program already uses this key combination.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The X server refused the key combination (error %1).</source>
        <translation type="unfinished"></translation>
    </message>
</context>
</TS>
