// The event editor over a real calendar folder: typed lines, fields, OK and Cancel, and the files.
#include "editing/EditEventController.h"

#include "CalDavPeer.h"
#include "LoopTestSupport.h"
#include "RecurrenceTestSupport.h"
#include "WidgetInput.h"
#include "base/TextColors.h"
#include "dates/DateFormatter.h"
#include "dates/EventDescription.h"
#include "editing/AlarmSettingsViewController.h"
#include "editing/CommandFieldHighlighter.h"
#include "editing/CustomRecurrenceController.h"
#include "editing/RecurrenceSettingsViewController.h"
#include "editing/TextViewWithCompletion.h"
#include "entry/ParsingController.h"
#include "store/ProgramAlarmApprovals.h"

#include <QAbstractItemView>
#include <QCheckBox>
#include <QComboBox>
#include <QCompleter>
#include <QDateEdit>
#include <QDateTimeEdit>
#include <QDialogButtonBox>
#include <QFontInfo>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollArea>
#include <QScrollBar>
#include <QSpinBox>
#include <QTest>
#include <QTimeZone>
#include <QTimer>

#include <gtest/gtest.h>

#include <cstdio>
#include <tuple>

namespace {

// Wednesday 9 December 2026, 10:00 in New York.
QDateTime wednesday(int hour = 10, int minute = 0) {
    return QDateTime(QDate(2026, 12, 9), QTime(hour, minute), QTimeZone("America/New_York")).toUTC();
}

class EditEventControllerTest : public ::testing::Test {
protected:
    EditEventControllerTest() {
        loop.makeCalendar(u"home"_s);
        loop.makeCalendar(u"work"_s);
        loop.makeCalendar(u"holidays"_s);
        loop.makeReadOnly(u"holidays"_s);
        loop.load();
        loop.controller.setNeedsRangeStartDate(wednesday().addDays(-30), wednesday().addDays(30));
        loop.model.setSelectedCalendarUid(u"home"_s);
        editor.setReferenceDateProvider([] { return CalendarDate::fromQDateTime(wednesday()); });
    }
    // A stored one-hour event on Wednesday at `hour`, as the model holds it.
    std::shared_ptr<CalEvent> storedEvent(const QString& calendar, const QString& uid, int hour = 14,
                                          int count = 0) {
        auto event = CalEvent::event();
        event->uid = uid;
        event->title = uid;
        event->calendar = loop.store.calendarWithUID(calendar);
        event->startDate = wednesday(hour);
        event->endDate = wednesday(hour + 1);
        if (count > 0) {
            event->recurrenceRule = CalRecurrenceRule::rule(CalRecurrenceRule::Daily);
            event->recurrenceRule->recurrenceEnd = CalRecurrenceEnd{false, QDateTime(), count};
        }
        loop.controller.addEvent(*event);
        loop.nextPass();
        const EventList stored = loop.model.eventsWithUid(uid);
        return stored.isEmpty() ? nullptr : stored.front();
    }
    QByteArray file(const QString& calendar, const QString& uid) const { return loop.file(calendar, uid); }
    // Another program's version, and the model showing it.
    QByteArray rewriteAsSync(const QString& calendar, const QString& uid, const QString& newTitle) {
        const QByteArray text = loop.rewriteAsSync(calendar, uid, newTitle);
        const bool seen = QTest::qWaitFor(
            [&] {
                const EventList stored = loop.model.eventsWithUid(uid);
                return !stored.isEmpty() && stored.front()->title == newTitle;
            },
            10000);
        return seen ? text : QByteArray();
    }
    void type(const QString& text) {
        QTest::keyClicks(editor.commandField(), text);
        loop.nextPass();
    }
    static QColor textColor(const QWidget& widget) { return widget.palette().color(QPalette::Text); }
    // The days of the month that the occurrences of `uid` start on.
    QList<int> days(const QString& uid) const {
        QList<int> result;
        for (const auto& occurrence : loop.model.eventsWithUid(uid))
            result.append(occurrence->startDate.toLocalTime().date().day());
        return result;
    }
    // "Other..." in the recurrence panel, and there the `nth` `weekday` (0 for Sunday) of every month.
    void chooseMonthlyOn(int nth, int weekday) {
        RecurrenceSettingsViewController& panel = *editor.recurrenceViewController();
        QTimer::singleShot(0, &panel, [&panel, nth, weekday] {
            CustomRecurrenceController& dialog = *panel.customRecurrenceController();
            choose(dialog.kindButton(), dialog.kindButton()->itemText(2));
            dialog.nthWeekdayModeButton()->click();
            dialog.monthViewNthWeekdayButton()->setCurrentIndex(
                dialog.monthViewNthWeekdayButton()->findData(nth));
            dialog.monthViewWeekdayButton()->setCurrentIndex(weekday);
            QTest::mouseClick(dialog.buttons()->button(QDialogButtonBox::Ok), Qt::LeftButton);
        });
        choose(panel.recurrenceButton(), u"Other..."_s);
    }

    Loop loop;
    ParsingController parsing;
    std::shared_ptr<DateFormatter> formatter = [] {
        auto made = std::make_shared<DateFormatter>();
        made->setLocale(u"en_US"_s);
        made->setTimeModeHours(12);
        return made;
    }();
    QTemporaryDir state;
    ProgramAlarmApprovals approvals{state.filePath(u"program-alarms.json"_s)};
    EditEventController editor{
        loop.model, loop.controller, loop.undo, std::make_shared<EventDescription>(formatter),
        parsing,    loop.defaults,   approvals};
};

TEST_F(EditEventControllerTest, ATypedLineSetsTheFieldsAndReturnStoresIt) {
    std::shared_ptr<CalEvent> created;
    QObject::connect(&editor, &EditEventController::didCreateNewEvent,
                     [&](std::shared_ptr<CalEvent> stored) { created = stored; });
    editor.showWithNewEvent(loop.controller.createNewEvent());
    EXPECT_EQ(editor.windowTitle(), u"New Event"_s);
    EXPECT_TRUE(editor.commandField()->toPlainText().isEmpty());

    type(u"work: fri 3pm to 4:30pm review"_s);
    EXPECT_EQ(editor.titleField()->text(), u"review"_s);
    EXPECT_EQ(editor.calendarPopUp()->currentText(), u"work"_s);
    EXPECT_EQ(editor.startDatePicker()->dateTime(), QDateTime(QDate(2026, 12, 11), QTime(15, 0)));
    EXPECT_EQ(editor.endDatePicker()->dateTime(), QDateTime(QDate(2026, 12, 11), QTime(16, 30)));
    EXPECT_EQ(textColor(*editor.commandField()), TextColors::current().valid);
    // What was understood is coloured, up to the title.
    EXPECT_EQ(editor.commandFieldHighlighter()->recognisedLength(),
              editor.commandField()->toPlainText().indexOf(u"review"_s));

    QTest::keyClick(editor.commandField(), Qt::Key_Return);
    EXPECT_FALSE(editor.isVisible());
    ASSERT_TRUE(created);
    const QByteArray written = file(u"work"_s, created->uid);
    EXPECT_TRUE(written.contains("DTSTART;TZID=America/New_York:20261211T150000")) << written.constData();
    EXPECT_TRUE(written.contains("DTEND;TZID=America/New_York:20261211T163000")) << written.constData();
    EXPECT_TRUE(written.contains("SUMMARY:review")) << written.constData();
    loop.nextPass();
    EXPECT_EQ(loop.undo.undoActionName(), u"New Event"_s);
    loop.undo.undo();
    EXPECT_TRUE(file(u"work"_s, created->uid).isEmpty());

    // The program's own line of a stored event is coloured the same way, whatever was typed before.
    const auto stored = storedEvent(u"home"_s, u"juergen"_s);
    auto renamed = stored->copy();
    renamed->title = u"1:1 mit Jürgen"_s;
    ASSERT_TRUE(loop.controller.replaceEvent(stored, *renamed));
    loop.nextPass();
    editor.showWithEvent(loop.model.eventsWithUid(u"juergen"_s).front());
    const QString line = editor.commandField()->toPlainText();
    ASSERT_TRUE(line.endsWith(u" 1:1 mit Jürgen"_s)) << line.toStdString();
    EXPECT_EQ(editor.commandFieldHighlighter()->recognisedLength(), line.indexOf(u"1:1 mit Jürgen"_s));
}

TEST_F(EditEventControllerTest, TextNotUnderstoodIsRedAndLeavesTheEventAsItWas) {
    editor.showWithNewEvent(loop.controller.createNewEvent());
    type(u"tomorrow 9am standup"_s);
    const QDateTime start = editor.event()->startDate;
    // Each change starts again from the event as it was opened, not from the last line's result.
    QTest::keyClick(editor.commandField(), Qt::Key_Home);
    type(u"at "_s);
    EXPECT_EQ(textColor(*editor.commandField()), TextColors::current().invalid);
    EXPECT_EQ(editor.commandFieldHighlighter()->recognisedLength(), 0);
    EXPECT_EQ(editor.event()->startDate, start);
    EXPECT_EQ(editor.event()->title, u"standup"_s);

    QTest::keyClick(editor.commandField(), Qt::Key_Escape);
    EXPECT_FALSE(editor.isVisible());
    EXPECT_FALSE(editor.event());
    EXPECT_TRUE(loop.store.calls.isEmpty()) << "Escape stores nothing";
}

TEST_F(EditEventControllerTest, ALineWithoutDatesRetitlesTheEventAndKeepsTheRest) {
    const auto stored = storedEvent(u"home"_s, u"retro"_s);
    ASSERT_TRUE(stored);
    editor.showWithEvent(stored);
    for (const QString& title : {u"review"_s, u"call mum"_s, u"Team lunch with Ana"_s}) {
        editor.commandField()->selectAll();
        type(title);
        EXPECT_EQ(textColor(*editor.commandField()), TextColors::current().valid) << title.toStdString();
        EXPECT_EQ(editor.titleField()->text(), title);
        EXPECT_EQ(editor.event()->startDate, stored->startDate);
        EXPECT_EQ(editor.event()->endDate, stored->endDate);
    }
    editor.okAction();
    EXPECT_TRUE(file(u"home"_s, u"retro"_s).contains("SUMMARY:Team lunch with Ana\r\n"));
}

TEST_F(EditEventControllerTest, DatesShowOnTheClockAndInTheOrderThePreferencesSet) {
    const auto stored = storedEvent(u"home"_s, u"retro"_s, 14, 3);
    ASSERT_TRUE(stored);
    for (const auto& [hours, order, start, end] :
         {std::tuple{12, 1, "Wed Dec 9 2026  2:00 PM", "Fri Dec 11 2026"},
          std::tuple{24, 0, "Wed 9 Dec 2026  14:00", "Fri 11 Dec 2026"}}) {
        loop.defaults.setValue(u"timeDisplayHours"_s, hours);
        loop.defaults.setValue(u"dayMonthOrder"_s, order);
        editor.showWithEvent(stored);
        EXPECT_EQ(editor.startDatePicker()->text(), QString::fromUtf8(start));
        editor.recurrenceViewController()->setRecurrenceRule(
            stored->recurrenceRule->replaceEnd(CalRecurrenceEnd{true, wednesday().addDays(2), 0}));
        EXPECT_EQ(editor.recurrenceViewController()->endsDatePicker()->text(), QString::fromUtf8(end));
        editor.cancelAction();
    }
}

TEST_F(EditEventControllerTest, CompletionOffersCalendarsAndWordsFromTheStartOfTheField) {
    editor.showWithNewEvent(loop.controller.createNewEvent());
    QAbstractItemView* popup = editor.commandField()->completer()->popup();
    loop.nextPass();
    EXPECT_FALSE(popup->isVisible()) << "the panel opens without offering everything";
    type(u"t"_s);
    ASSERT_TRUE(popup->isVisible());
    EXPECT_TRUE(editor.commandField()->isCompletionInProgress());
    EXPECT_EQ(popup->model()->rowCount(), 4) << "today, tomorrow, tuesday, thursday";
    type(u"om"_s);
    EXPECT_EQ(popup->model()->rowCount(), 1) << "the pop-up follows the typing";
    QTest::keyClick(popup, Qt::Key_Return);
    EXPECT_EQ(editor.commandField()->toPlainText(), u"tomorrow"_s);
    EXPECT_FALSE(editor.commandField()->isCompletionInProgress());
    EXPECT_TRUE(editor.isVisible()) << "choosing a completion does not confirm the panel";
    editor.commandField()->clear();
    type(u"mon"_s);
    ASSERT_TRUE(popup->isVisible());
    QTest::keyClick(popup, Qt::Key_X);
    EXPECT_FALSE(popup->isVisible()) << "it goes once nothing fits";
    EXPECT_EQ(editor.commandField()->toPlainText(), u"monx"_s);

    // Calendars that may not take the event are not offered; deleting never offers anything.
    editor.commandField()->clear();
    type(u"ho"_s);
    ASSERT_TRUE(popup->isVisible());
    EXPECT_EQ(popup->model()->index(0, 0).data().toString(), u"home: "_s);
    QTest::keyClick(popup, Qt::Key_Escape);
    QTest::keyClick(editor.commandField(), Qt::Key_Backspace);
    loop.nextPass();
    EXPECT_FALSE(popup->isVisible());
    type(u"x"_s);
    EXPECT_FALSE(popup->isVisible()) << "nothing begins with \"hx\"";
}

TEST_F(EditEventControllerTest, AnEventInAReadOnlyCalendarOpensReadOnlyAndIsNotWritten) {
    const auto holiday = storedEvent(u"home"_s, u"holiday"_s);
    ASSERT_TRUE(holiday);
    // Moved into the read-only calendar by another program.
    holiday->calendar = loop.model.calendarWithUid(u"holidays"_s);
    editor.showWithEvent(holiday);
    EXPECT_EQ(editor.windowTitle(), u"Event in Read-Only Calendar"_s);
    EXPECT_FALSE(editor.titleField()->isEnabled());
    EXPECT_FALSE(editor.okButton()->isEnabled());
    loop.store.calls.clear();
    editor.okAction();
    EXPECT_FALSE(editor.isVisible());
    EXPECT_TRUE(loop.store.calls.isEmpty());
}

TEST_F(EditEventControllerTest, EditingAStoredEventWritesItAndOneUndoRestoresTheFile) {
    const auto dentist = storedEvent(u"home"_s, u"dentist"_s);
    ASSERT_TRUE(dentist);
    const QByteArray before = file(u"home"_s, u"dentist"_s);
    editor.showWithEvent(dentist);
    EXPECT_EQ(editor.windowTitle(), u"Edit Event"_s);
    EXPECT_EQ(editor.commandField()->toPlainText(), u"2:00 PM - 3:00 PM dentist"_s);

    editor.titleField()->setFocus();
    editor.titleField()->selectAll();
    QTest::keyClicks(editor.titleField(), u"orthodontist"_s);
    EXPECT_EQ(editor.event()->title, u"orthodontist"_s);
    QTest::keyClick(editor.titleField(), Qt::Key_Return);
    EXPECT_FALSE(editor.isVisible());
    EXPECT_TRUE(file(u"home"_s, u"dentist"_s).contains("SUMMARY:orthodontist"));
    loop.nextPass();
    EXPECT_EQ(loop.undo.undoActionName(), u"Edit Event"_s);
    loop.undo.undo();
    EXPECT_EQ(file(u"home"_s, u"dentist"_s), before);
}

TEST_F(EditEventControllerTest, AllDayShowsTheLastDayAndStoresTheMidnightAfterIt) {
    editor.showWithNewEvent(loop.controller.createNewEvent());
    editor.startDatePicker()->setDateTime(QDateTime(QDate(2027, 3, 1), QTime(10, 30)));
    editor.endDatePicker()->setDateTime(QDateTime(QDate(2027, 3, 1), QTime(11, 15)));
    editor.isAllDayCheckbox()->click();
    EXPECT_TRUE(editor.event()->isAllDay);
    EXPECT_EQ(editor.event()->startDate.toLocalTime(), QDateTime(QDate(2027, 3, 1), QTime(0, 0)));
    EXPECT_EQ(editor.event()->endDate.toLocalTime(), QDateTime(QDate(2027, 3, 2), QTime(0, 0)));
    EXPECT_EQ(editor.startDatePicker()->date(), QDate(2027, 3, 1));
    EXPECT_EQ(editor.endDatePicker()->date(), QDate(2027, 3, 1)) << "the last day, not the day after";

    editor.endDatePicker()->setDate(QDate(2027, 3, 3));
    EXPECT_EQ(editor.event()->endDate.toLocalTime(), QDateTime(QDate(2027, 3, 4), QTime(0, 0)));
    // Equal start and end: fine for a timed event, not for an all-day one.
    editor.endDatePicker()->setDate(QDate(2027, 2, 28));
    EXPECT_FALSE(editor.isValid());
    EXPECT_FALSE(editor.okButton()->isEnabled());
    EXPECT_EQ(textColor(*editor.endDatePicker()), TextColors::current().invalid);
    editor.isAllDayCheckbox()->click();
    EXPECT_FALSE(editor.event()->isAllDay);
    EXPECT_EQ(editor.event()->startDate, editor.event()->endDate);
    EXPECT_TRUE(editor.isValid());
}

TEST_F(EditEventControllerTest, ARecurringEventAsksWhichOccurrencesAndUndoes) {
    struct Case {
        std::optional<CalSpan> answer;
        QStringList renamedDays; // the days of December whose standup got the new title
    } cases[] = {{std::nullopt, {}},
                 {CalSpan::ThisEvent, {u"10"_s}},
                 {CalSpan::FutureEvents, {u"10"_s, u"11"_s}},
                 {CalSpan::AllEvents, {u"9"_s, u"10"_s, u"11"_s}}};
    for (const Case& c : cases) {
        const QString uid = u"standup%1"_s.arg(c.renamedDays.size());
        ASSERT_TRUE(storedEvent(u"home"_s, uid, 9, 3));
        const QByteArray before = file(u"home"_s, uid);
        const EventList occurrences = loop.model.eventsWithUid(uid);
        ASSERT_EQ(occurrences.size(), 3);
        loop.interaction.setSpanAnswer(c.answer);
        editor.showWithEvent(occurrences[1]);
        editor.titleField()->setFocus();
        editor.titleField()->selectAll();
        QTest::keyClicks(editor.titleField(), u"retro"_s);
        editor.okAction();
        loop.nextPass();
        // This and future occurrences go on as a series of their own, with a uid of their own.
        QStringList renamed;
        for (const auto& occurrence : loop.model.events())
            if (occurrence->title == u"retro"_s)
                renamed.append(QString::number(occurrence->startDate.toLocalTime().date().day()));
        EXPECT_EQ(renamed, c.renamedDays) << uid.toStdString();
        if (!c.answer) {
            EXPECT_EQ(file(u"home"_s, uid), before);
            EXPECT_TRUE(editor.isVisible()) << "Cancel stops the save, not the edit";
            EXPECT_EQ(editor.event()->title, u"retro"_s);
            editor.cancelAction();
            continue;
        }
        loop.undo.undo();
        loop.nextPass();
        EXPECT_EQ(file(u"home"_s, uid), before) << uid.toStdString();
        const EventList all = loop.model.events();
        EXPECT_EQ(std::count_if(all.begin(), all.end(),
                                [](const auto& event) { return event->title == u"retro"_s; }),
                  0);
    }
}

// Changes in the store while the panel is open: another program's version of the event, shown while there is
// no edit; other events, which leave the edits; and the event's removal, which closes the panel.
TEST_F(EditEventControllerTest, StoredChangesAreShownWithoutAnEditKeepTheEditsOrCloseThePanel) {
    editor.showWithEvent(storedEvent(u"home"_s, u"dentist"_s));
    const QByteArray theirs = rewriteAsSync(u"home"_s, u"dentist"_s, u"from the server"_s);
    ASSERT_FALSE(theirs.isEmpty());
    EXPECT_EQ(editor.titleField()->text(), u"from the server"_s);
    const QString path = QDir(loop.root.path()).filePath(u"home/dentist.ics"_s);
    const QDateTime modified = QFileInfo(path).lastModified();
    loop.store.calls.clear();
    editor.okAction();
    EXPECT_FALSE(editor.isVisible());
    EXPECT_TRUE(loop.store.calls.isEmpty()) << loop.store.calls.join(u", "_s).toStdString();
    EXPECT_EQ(file(u"home"_s, u"dentist"_s), theirs);
    EXPECT_EQ(QFileInfo(path).lastModified(), modified);
    EXPECT_TRUE(loop.interaction.shown().isEmpty());

    editor.showWithEvent(loop.model.eventsWithUid(u"dentist"_s).front());
    QTest::keyClicks(editor.locationField(), u"Main Street"_s);
    storedEvent(u"work"_s, u"unrelated"_s);
    ASSERT_TRUE(editor.isVisible());
    EXPECT_EQ(editor.event()->location, u"Main Street"_s);
    loop.controller.removeEvent(*loop.model.eventsWithUid(u"dentist"_s).front());
    loop.nextPass();
    EXPECT_FALSE(editor.isVisible());
    EXPECT_FALSE(editor.event());
}

TEST_F(EditEventControllerTest, AStoredChangeDuringAnEditKeepsTheEditAndOKAsksWhoseVersionStays) {
    using Answer = UserInteraction::EditConflictAnswer;
    for (const Answer answer : {Answer::Cancel, Answer::KeepMine, Answer::TakeTheirs}) {
        const QString uid = u"sync%1"_s.arg(int(answer));
        editor.showWithEvent(storedEvent(u"home"_s, uid));
        QTest::keyClick(editor.commandField(), Qt::Key_A, Qt::ControlModifier);
        type(u"4pm to 5pm mine"_s);
        const QByteArray theirs = rewriteAsSync(u"home"_s, uid, u"theirs"_s);
        ASSERT_FALSE(theirs.isEmpty());
        EXPECT_EQ(editor.titleField()->text(), u"mine"_s) << "the typed line stays";

        loop.interaction.setConflictAnswer(answer);
        const qsizetype asked = loop.interaction.shown().size();
        editor.okAction();
        ASSERT_EQ(loop.interaction.shown().size(), asked + 1);
        const auto& question = loop.interaction.shown().back();
        EXPECT_EQ(question.kind, NonInteractiveUserInteraction::Shown::ConflictQuestion);
        EXPECT_TRUE(question.text.contains(u"“%1” was changed by another program"_s.arg(uid)))
            << question.text.toStdString();
        const QByteArray now = file(u"home"_s, uid);
        if (answer == Answer::KeepMine)
            EXPECT_TRUE(now.contains("SUMMARY:mine") &&
                        now.contains("DTSTART;TZID=America/New_York:20261209T160000"))
                << now.constData();
        else
            EXPECT_EQ(now, theirs);
        EXPECT_EQ(editor.isVisible(), answer == Answer::Cancel) << "Cancel goes back to the edit";
        if (answer == Answer::Cancel)
            editor.cancelAction();
    }
}

// The same through a CalDAV server and vdirsyncer: the other device's version arrives by a sync while the
// line is typed, and the kept edit reaches the server at the next sync without a conflict there.
TEST_F(EditEventControllerTest, AnEditKeptOverASyncedChangeReachesTheServer) {
    CalDavPeer peer(loop.root.path());
    ASSERT_TRUE(peer.discover()) << peer.log().toStdString();
    ASSERT_TRUE(QTest::qWaitFor([&] { return loop.model.calendarWithUid(u"shared"_s) != nullptr; }, 10000));
    editor.showWithEvent(storedEvent(u"shared"_s, u"synced"_s));
    ASSERT_EQ(peer.vdirsyncer(u"sync"_s), 0) << peer.log().toStdString();
    QTest::keyClick(editor.commandField(), Qt::Key_A, Qt::ControlModifier);
    type(u"4pm to 5pm mine"_s);

    QByteArray served = peer.served(u"synced.ics"_s);
    ASSERT_TRUE(served.contains("SUMMARY:synced"));
    ASSERT_TRUE(peer.put(u"synced.ics"_s, served.replace("SUMMARY:synced", "SUMMARY:theirs")));
    ASSERT_EQ(peer.vdirsyncer(u"sync"_s), 0) << peer.log().toStdString();
    ASSERT_TRUE(QTest::qWaitFor(
        [&] { return loop.model.eventsWithUid(u"synced"_s).front()->title == u"theirs"_s; }, 10000));
    EXPECT_EQ(editor.titleField()->text(), u"mine"_s);

    loop.interaction.setConflictAnswer(UserInteraction::EditConflictAnswer::KeepMine);
    editor.okAction();
    EXPECT_EQ(loop.interaction.shown().back().kind, NonInteractiveUserInteraction::Shown::ConflictQuestion);
    ASSERT_EQ(peer.vdirsyncer(u"sync"_s), 0) << peer.log().toStdString();
    served = peer.served(u"synced.ics"_s);
    EXPECT_TRUE(served.contains("SUMMARY:mine") &&
                served.contains("DTSTART;TZID=America/New_York:20261209T160000"))
        << served.constData();
}

// A file of another program: alarms of three kinds and a property of its own.
const QByteArray ALARMED =
    "BEGIN:VCALENDAR\r\nVERSION:2.0\r\nPRODID:-//other//EN\r\nBEGIN:VEVENT\r\nUID:alarmed\r\n"
    "DTSTAMP:20261201T000000Z\r\nDTSTART:20261209T190000Z\r\nDTEND:20261209T200000Z\r\nSUMMARY:alarmed\r\n"
    "X-OTHER-PROGRAM:keep me\r\n"
    "BEGIN:VALARM\r\nACTION:PROCEDURE\r\nTRIGGER:-PT10M\r\nATTACH:file:///usr/bin/true\r\nEND:VALARM\r\n"
    "BEGIN:VALARM\r\nACTION:AUDIO\r\nTRIGGER:-PT5M\r\nATTACH:bell\r\nEND:VALARM\r\n"
    "BEGIN:VALARM\r\nACTION:EMAIL\r\nTRIGGER:-P1D\r\nDESCRIPTION:x\r\nSUMMARY:x\r\n"
    "ATTENDEE:mailto:a@example.org\r\nEND:VALARM\r\n"
    "END:VEVENT\r\nEND:VCALENDAR\r\n";

TEST_F(EditEventControllerTest, AlarmRowsShowTheFilesAlarmsAndANewOneIsWrittenBesideThem) {
    // Written by the other program while we run: the store sees it come.
    loop.writeMarker(u"home"_s, u"alarmed.ics"_s, ALARMED);
    ASSERT_TRUE(QTest::qWaitFor([&] { return !loop.model.eventsWithUid(u"alarmed"_s).isEmpty(); }, 10000));
    const EventList stored = loop.model.eventsWithUid(u"alarmed"_s);
    ASSERT_EQ(stored.size(), 1);
    editor.showWithEvent(stored.front());
    const QList<AlarmSettingsViewController*>& rows = editor.alarmViewControllers();
    ASSERT_EQ(rows.size(), 4) << "three alarms and the empty row";
    const auto typeButton = [&](int row) {
        return control<QComboBox>(editor.alarmViewControllers()[row], u"Alarm type"_s);
    };
    const auto typeOf = [&](int row) { return typeButton(row) ? typeButton(row)->currentText() : QString(); };
    EXPECT_EQ(typeOf(0), u"Run…"_s);
    EXPECT_EQ(typeOf(1), u"Message with Sound"_s);
    EXPECT_EQ(typeOf(2), u"Message"_s) << "an e-mail alarm shows as a message";

    chooseEntry(typeButton(3), u"1 hour before"_s);
    ASSERT_EQ(editor.event()->alarms.size(), 4);
    EXPECT_EQ(editor.alarmViewControllers().size(), 5) << "a new empty row";
    editor.okAction();
    const QByteArray written = file(u"home"_s, u"alarmed"_s);
    EXPECT_TRUE(written.contains("X-OTHER-PROGRAM:keep me")) << written.constData();
    for (const char* kept : {"ACTION:PROCEDURE", "ATTACH:file:///usr/bin/true", "X-VERDALUNE-SOUND:bell",
                             "ACTION:EMAIL", "mailto:a@example.org", "TRIGGER:-PT1H"})
        EXPECT_TRUE(written.contains(kept)) << kept << "\n" << written.constData();
    loop.nextPass();
    const auto reread = loop.model.eventsWithUid(u"alarmed"_s).front();
    ASSERT_EQ(reread->alarms.size(), 4);
    EXPECT_EQ(reread->alarms[3]->action(), CalAlarm::Display);
    EXPECT_DOUBLE_EQ(reread->alarms[3]->relativeTrigger(), -3600);
    EXPECT_FALSE(approvals.isApproved(*reread, *reread->alarms[0])) << "nobody chose the file's program here";
}

TEST_F(EditEventControllerTest, AnEditorTallerThanTheScreenScrollsItsFieldsAndKeepsItsButtonsInReach) {
    editor.showWithEvent(storedEvent(u"home"_s, u"short"_s));
    const auto* area = editor.findChild<QScrollArea*>();
    ASSERT_TRUE(area);
    EXPECT_EQ(area->verticalScrollBar()->maximum(), 0) << "a short editor shows all its fields";
    editor.cancelAction();

    // A daily event with a dozen alarms, one with a sound.
    auto tall = CalEvent::event();
    tall->uid = tall->title = u"tall"_s;
    tall->calendar = loop.store.calendarWithUID(u"home"_s);
    tall->startDate = wednesday(14);
    tall->endDate = wednesday(15);
    tall->recurrenceRule = CalRecurrenceRule::rule(CalRecurrenceRule::Daily);
    for (int i = 1; i <= 12; ++i) {
        auto alarm = CalAlarm::alarm();
        alarm->setAction(CalAlarm::Display);
        alarm->setRelativeTrigger(-600.0 * i);
        tall->alarms.append(alarm);
    }
    tall->alarms.back()->setSound(u"bell"_s);
    loop.controller.addEvent(*tall);
    loop.nextPass();
    editor.showWithEvent(loop.model.eventsWithUid(u"tall"_s).front());
    QCoreApplication::processEvents();

    const QRect available = editor.screen()->availableGeometry();
    ASSERT_GT(area->widget()->sizeHint().height(), available.height()) << "the fields alone are too tall";
    EXPECT_LE(editor.frameGeometry().height(), available.height());
    EXPECT_GT(area->verticalScrollBar()->maximum(), 0);
    const QWidget* ok = editor.findChild<QDialogButtonBox*>()->button(QDialogButtonBox::Ok);
    EXPECT_TRUE(available.contains(QRect(ok->mapToGlobal(QPoint(0, 0)), ok->size())));

    // Tab reaches the last alarm row, and the fields scroll to show it.
    QWidget* last = control<QComboBox>(editor.alarmViewControllers().last(), u"Alarm type"_s);
    for (int i = 0; i < 60 && QApplication::focusWidget() != last; ++i)
        QTest::keyClick(QApplication::focusWidget() ? QApplication::focusWidget() : &editor, Qt::Key_Tab);
    ASSERT_EQ(QApplication::focusWidget(), last);
    const QRect shown = area->viewport()->rect();
    EXPECT_TRUE(shown.contains(QRect(last->mapTo(area->viewport(), QPoint(0, 0)), last->size())));
}

TEST_F(EditEventControllerTest, AProgramChosenInTheEditorMayRunOnceSavedAlsoAfterAMove) {
    const QUrl program = QUrl::fromLocalFile(u"/usr/bin/true"_s);
    const auto chooseRun = [&] {
        AlarmSettingsViewController* empty = editor.alarmViewControllers().back();
        empty->setProgramPicker([&](QWidget*) { return std::optional(program); });
        chooseEntry(control<QComboBox>(empty, u"Alarm type"_s), u"Run…"_s);
    };
    const auto dentist = storedEvent(u"home"_s, u"dentist"_s);
    ASSERT_TRUE(dentist);
    editor.showWithEvent(dentist);
    chooseRun();
    editor.cancelAction();
    auto alarm = CalAlarm::alarm();
    alarm->setUrl(program);
    EXPECT_FALSE(approvals.isApproved(*dentist, *alarm)) << "cancelled: nothing was chosen";

    editor.showWithEvent(dentist);
    chooseRun();
    editor.okAction();
    loop.nextPass();
    const auto saved = loop.model.eventsWithUid(u"dentist"_s).front();
    ASSERT_EQ(saved->alarms.size(), 1);
    EXPECT_TRUE(approvals.isApproved(*saved, *saved->alarms[0]));

    editor.showWithEvent(saved);
    chooseEntry(editor.calendarPopUp(), u"work"_s);
    editor.okAction();
    loop.nextPass();
    const auto moved = loop.model.eventsWithUid(u"dentist"_s).front();
    ASSERT_EQ(moved->calendar->uid, u"work"_s);
    EXPECT_TRUE(approvals.isApproved(*moved, *moved->alarms[0]));
}

TEST_F(EditEventControllerTest, RecurrencesChosenInThePanelAreWrittenAndExpand) {
    const auto meeting = storedEvent(u"home"_s, u"meeting"_s);
    editor.showWithEvent(meeting);
    RecurrenceSettingsViewController& panel = *editor.recurrenceViewController();
    choose(panel.recurrenceButton(), u"Weekly"_s);
    choose(panel.endsTypeButton(), u"Ends After Count"_s);
    panel.endsCountField()->setValue(3);
    editor.okAction();
    EXPECT_TRUE(file(u"home"_s, u"meeting"_s).contains("RRULE:FREQ=WEEKLY;COUNT=3"));
    loop.nextPass();
    EXPECT_EQ(days(u"meeting"_s), (QList<int>{9, 16, 23}));

    // The last Friday of each month, through the custom dialog.
    const auto review = storedEvent(u"home"_s, u"review"_s);
    editor.showWithEvent(review);
    chooseMonthlyOn(-1, 5);
    // The start moves to the rule's first occurrence, the hour kept, and the fields show it.
    EXPECT_EQ(editor.startDatePicker()->dateTime(), QDateTime(QDate(2026, 12, 25), QTime(14, 0)));
    EXPECT_EQ(editor.endDatePicker()->dateTime(), QDateTime(QDate(2026, 12, 25), QTime(15, 0)));
    editor.okAction();
    const QByteArray written = file(u"home"_s, u"review"_s);
    EXPECT_TRUE(written.contains("RRULE:FREQ=MONTHLY;BYDAY=-1FR")) << written.constData();
    EXPECT_TRUE(written.contains("DTSTART;TZID=America/New_York:20261225T140000")) << written.constData();
    loop.nextPass();
    EXPECT_EQ(days(u"review"_s).mid(0, 3), (QList<int>{25, 29, 26}));
    loop.undo.undo(); // with the rest of the edit
    EXPECT_EQ(loop.stored(u"review"_s).value(0)->startDate, wednesday(14));

    // An all-day event keeps its days, and a start that is an occurrence stays.
    const auto fair = storedEvent(u"home"_s, u"fair"_s);
    editor.showWithEvent(fair);
    editor.isAllDayCheckbox()->click();
    editor.endDatePicker()->setDate(QDate(2026, 12, 10));
    choose(panel.recurrenceButton(), u"Weekly"_s);
    EXPECT_EQ(editor.startDatePicker()->date(), QDate(2026, 12, 9));
    chooseMonthlyOn(2, 6);
    EXPECT_EQ(editor.startDatePicker()->date(), QDate(2026, 12, 12)) << "the second Saturday";
    EXPECT_EQ(editor.endDatePicker()->date(), QDate(2026, 12, 13));
    editor.cancelAction();
}

} // namespace
