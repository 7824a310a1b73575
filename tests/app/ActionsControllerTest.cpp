#include "app/ActionsController.h"
#include "LoopTestSupport.h"
#include "timeline/view/TimelineView.h"
#include "timeline/view/TimelineViewController.h"

#include <gtest/gtest.h>

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

} // namespace
