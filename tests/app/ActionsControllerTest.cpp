#include "app/ActionsController.h"
#include "LoopTestSupport.h"
#include "timeline/view/TimelineView.h"
#include "timeline/view/TimelineViewController.h"

#include <gtest/gtest.h>

#include <QClipboard>
#include <QGuiApplication>
#include <QMimeData>
#include <QScrollArea>

namespace {

class ActionsControllerTest : public ::testing::Test {
protected:
    ActionsControllerTest() {
        loop.makeCalendar(u"home"_s);
        view->placeInScrollArea(area);
        loop.load();
        loop.model.setSelectedCalendarUid(u"home"_s);
    }
    QScrollArea area;
    Loop loop;
    TimelineView* view = new TimelineView;
    TimelineViewController timeline{*view, loop.model, loop.controller, loop.undo};
    ActionsController actions{loop.model, loop.controller, timeline, loop.undo};
};

TEST_F(ActionsControllerTest, AnEventForAPeriodIsSelectedShownAndUndoneInOneStep) {
    const CalendarDate start = CalendarDate::now().truncateToDay().addingSeconds(40 * 86400.0 + 9 * 3600);
    const auto created = timeline.createEventWithStart(start, start.addingSeconds(3600));
    ASSERT_TRUE(created);
    EXPECT_EQ(loop.model.selectedEvent(), created);
    EXPECT_EQ(created->startDate, start.toQDateTime());
    EXPECT_EQ(loop.stored(created->uid).size(), 1);
    EXPECT_LE(view->startDate(), start) << "the timeline moved to the new event";
    EXPECT_GE(view->endDate(), start);
    loop.nextPass();
    EXPECT_EQ(loop.undo.undoActionName(), u"New Event"_s);
    loop.undo.undo();
    EXPECT_TRUE(loop.stored(created->uid).isEmpty());
    EXPECT_TRUE(loop.model.eventsWithUid(created->uid).isEmpty());
}

TEST_F(ActionsControllerTest, TheSelectedEventIsRemovedUndoablyAndRangesAreSet) {
    loop.makeEvent(u"home"_s, u"standup"_s);
    loop.controller.setNeedsRangeStartDate(Loop::now(), Loop::now().addDays(3));
    loop.nextPass();
    actions.deleteEvent(); // nothing selected: nothing happens
    EXPECT_EQ(loop.stored(u"standup"_s).size(), 1);
    loop.model.setSelectedEvent(loop.modelled(u"standup"_s).front());
    actions.deleteEvent();
    EXPECT_TRUE(loop.stored(u"standup"_s).isEmpty());
    loop.nextPass();
    EXPECT_EQ(loop.undo.undoActionName(), u"Remove Event"_s);
    loop.undo.undo();
    EXPECT_EQ(loop.stored(u"standup"_s).size(), 1);

    actions.displayOneWeek();
    EXPECT_EQ(timeline.displayRangeTag(), TimelineViewController::OneWeek);
    actions.displayOneMonth();
    EXPECT_DOUBLE_EQ(view->timeInterval(), 2678400);
    actions.displayOneDay();
    EXPECT_DOUBLE_EQ(view->timeInterval(), 86400);
}

TEST_F(ActionsControllerTest, PasteAndDuplicateOfAnOccurrenceMakeASingleEventOfTheUsersOwn) {
    // A daily invitation, 10:00 to 11:30 UTC from tomorrow, with a reminder a quarter of an hour before.
    const QDateTime first(QDate::currentDate().addDays(1), QTime(10, 0), Qt::UTC);
    const auto utc = [](const QDateTime& moment) { return moment.toString(u"yyyyMMdd'T'hhmmss'Z'"_s); };
    const QString series = u"BEGIN:VCALENDAR\r\nBEGIN:VEVENT\r\nUID:review\r\nDTSTART:%1\r\nDTEND:%2\r\n"
                           u"RRULE:FREQ=DAILY;COUNT=5\r\nSUMMARY:review\r\nLOCATION:room 4\r\n"
                           u"ORGANIZER:mailto:boss@example.org\r\nATTENDEE:mailto:me@example.org\r\n"
                           u"BEGIN:VALARM\r\nACTION:DISPLAY\r\nTRIGGER:-PT15M\r\nEND:VALARM\r\n"
                           u"END:VEVENT\r\nEND:VCALENDAR\r\n"_s.arg(utc(first), utc(first.addSecs(5400)));
    ASSERT_EQ(loop.storeController.importCalendarText(u"home"_s, series.toUtf8()).importedUids.size(), 1);
    loop.nextPass();
    const auto occurrences = loop.modelled(u"review"_s);
    const auto occurrence = std::find_if(occurrences.begin(), occurrences.end(), [&](const auto& event) {
        return event->startDate == first.addDays(2);
    });
    ASSERT_NE(occurrence, occurrences.end());
    const CalendarDate third = CalendarDate::fromQDateTime((*occurrence)->startDate);

    const CalendarDate targetDay = CalendarDate::now().truncateToDay().dateByAddingDays(12);
    timeline.setCenteredDate(targetDay.addingSeconds(12 * 3600));
    for (const auto& [command, name, day] :
         {std::tuple{&ActionsController::pasteEvent, u"Paste Event"_s, targetDay},
          {&ActionsController::duplicateEvent, u"Duplicate Event"_s, third.truncateToDay()}}) {
        loop.model.setSelectedEvent(*occurrence);
        actions.copyEvent();
        (actions.*command)();
        const auto created = loop.model.selectedEvent();
        ASSERT_TRUE(created && created->uid != u"review"_s) << name.toStdString();
        EXPECT_EQ(loop.modelled(created->uid).size(), 1) << "one event, not a series";
        EXPECT_TRUE(!created->recurrenceRule && created->attendees.isEmpty() && !created->organizer);
        EXPECT_TRUE(created->title == u"review"_s && created->location == u"room 4"_s);
        ASSERT_EQ(created->alarms.size(), 1);
        EXPECT_EQ(created->alarms.front()->relativeTrigger(), -900);
        EXPECT_EQ(created->startDate.secsTo(created->endDate), 5400);
        const CalendarDate start = CalendarDate::fromQDateTime(created->startDate);
        EXPECT_EQ(start.truncateToDay(), day);
        EXPECT_EQ(start.timeOfDay(), third.timeOfDay());
        EXPECT_FALSE(loop.file(u"home"_s, created->uid).isEmpty());
        loop.nextPass();
        EXPECT_EQ(loop.undo.undoActionName(), name);
        loop.undo.undo();
        EXPECT_TRUE(loop.file(u"home"_s, created->uid).isEmpty() && loop.modelled(created->uid).isEmpty());
        loop.undo.redo();
        EXPECT_EQ(loop.stored(created->uid).size(), 1);
    }
    // Other programs get the copy as a single event of its own.
    const QMimeData* data = QGuiApplication::clipboard()->mimeData();
    const QByteArray text = data->data(u"text/calendar"_s);
    const QByteArray calendar = text.mid(text.indexOf("BEGIN:VEVENT")); // after the zone and its rules
    EXPECT_TRUE(calendar.startsWith("BEGIN:VEVENT") && calendar.contains("SUMMARY:review"));
    EXPECT_FALSE(calendar.contains("RRULE") || calendar.contains("ATTENDEE") ||
                 calendar.contains("ORGANIZER") || calendar.contains("UID:review\r"));
    EXPECT_TRUE(data->text().endsWith(u" review"_s)) << data->text().toStdString();
}

} // namespace
