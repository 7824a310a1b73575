// The event editor over a real calendar folder: typed lines, fields, OK and Cancel, and the files.
#include "editing/EditEventController.h"

#include "LoopTestSupport.h"
#include "dates/DateFormatter.h"
#include "dates/EventDescription.h"
#include "editing/TextViewWithCompletion.h"
#include "editing/textColors.h"
#include "entry/ParsingController.h"

#include <QAbstractItemView>
#include <QCheckBox>
#include <QComboBox>
#include <QCompleter>
#include <QDateTimeEdit>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <QTimeZone>

#include <gtest/gtest.h>

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
    QByteArray file(const QString& calendar, const QString& uid) const {
        QFile in(QDir(loop.root.path()).filePath(calendar + u'/' + uid + u".ics"_s));
        return in.open(QIODevice::ReadOnly) ? in.readAll() : QByteArray();
    }
    void type(const QString& text) {
        QTest::keyClicks(editor.commandField(), text);
        loop.nextPass();
    }
    static QColor textColor(const QWidget& widget) { return widget.palette().color(QPalette::Text); }

    Loop loop;
    ParsingController parsing;
    std::shared_ptr<DateFormatter> formatter = [] {
        auto made = std::make_shared<DateFormatter>();
        made->setLocale(u"en_US"_s);
        made->setTimeModeHours(12);
        return made;
    }();
    EditEventController editor{loop.model, loop.controller,
                               loop.undo,  std::make_shared<EventDescription>(formatter),
                               parsing,    loop.defaults};
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
    EXPECT_EQ(textColor(*editor.commandField()), VALID_TEXT_COLOR);

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
}

TEST_F(EditEventControllerTest, TextNotUnderstoodIsRedAndLeavesTheEventAsItWas) {
    editor.showWithNewEvent(loop.controller.createNewEvent());
    type(u"tomorrow 9am standup"_s);
    const QDateTime start = editor.event()->startDate;
    // Each change starts again from the event as it was opened, not from the last line's result.
    QTest::keyClick(editor.commandField(), Qt::Key_Home);
    type(u"at "_s);
    EXPECT_EQ(textColor(*editor.commandField()), INVALID_TEXT_COLOR);
    EXPECT_EQ(editor.event()->startDate, start);
    EXPECT_EQ(editor.event()->title, u"standup"_s);

    QTest::keyClick(editor.commandField(), Qt::Key_Escape);
    EXPECT_FALSE(editor.isVisible());
    EXPECT_FALSE(editor.event());
    EXPECT_TRUE(loop.store.calls.isEmpty()) << "Escape stores nothing";
}

TEST_F(EditEventControllerTest, CompletionOffersCalendarsAndWordsFromTheStartOfTheField) {
    editor.showWithNewEvent(loop.controller.createNewEvent());
    QAbstractItemView* popup = editor.commandField()->completer()->popup();
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
    EXPECT_EQ(textColor(*editor.endDatePicker()), INVALID_TEXT_COLOR);
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

TEST_F(EditEventControllerTest, OtherChangesInTheStoreKeepTheEditsAndADeletedEventClosesThePanel) {
    const auto dentist = storedEvent(u"home"_s, u"dentist"_s);
    editor.showWithEvent(dentist);
    QTest::keyClicks(editor.locationField(), u"Main Street"_s);
    storedEvent(u"work"_s, u"unrelated"_s);
    ASSERT_TRUE(editor.isVisible());
    EXPECT_EQ(editor.event()->location, u"Main Street"_s);

    loop.controller.removeEvent(*loop.model.eventsWithUid(u"dentist"_s).front());
    loop.nextPass();
    EXPECT_FALSE(editor.isVisible());
    EXPECT_FALSE(editor.event());
}

} // namespace
