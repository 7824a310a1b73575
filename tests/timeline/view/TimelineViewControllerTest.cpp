#include "TimelineViewTestSupport.h"
#include "base/InternalInconsistency.h"
#include "timeline/view/ZoomController.h"

#include <gtest/gtest.h>

namespace {

constexpr double DAY = 86400;

class TimelineViewControllerTest : public ::testing::Test, public TimelineViewFixture {};

TEST_F(TimelineViewControllerTest, TheIntervalStaysBetweenSixHoursAndAHundredDays) {
    controller->setTimeInterval(8000000);
    controller->increaseRange();
    EXPECT_DOUBLE_EQ(controller->timeInterval(), 8640000);
    EXPECT_DOUBLE_EQ(view->timeInterval(), 8640000);
    controller->setTimeInterval(30000);
    controller->decreaseRange();
    EXPECT_DOUBLE_EQ(controller->timeInterval(), 21600);

    controller->setDisplayRangeTag(TimelineViewController::OneMonth);
    EXPECT_DOUBLE_EQ(controller->timeInterval(), 2678400);
    EXPECT_EQ(controller->displayRangeTag(), TimelineViewController::OneMonth);
    view->magnify(0.1, 500);
    EXPECT_EQ(controller->displayRangeTag(), TimelineViewController::OtherRange);
    EXPECT_THROW(controller->setDisplayRangeTag(7), InternalInconsistency);

    ZoomController zoom(*controller, 0, 100);
    zoom.setSliderValue(50);
    EXPECT_NEAR(controller->timeInterval(), 432000, 1e-6) << "the middle is the geometric mean";
    zoom.setSliderValue(0);
    EXPECT_NEAR(controller->timeInterval(), 21600, 1e-6);
    zoom.setSliderValue(100);
    EXPECT_NEAR(controller->timeInterval(), 8640000, 1e-4);
    EXPECT_NEAR(zoom.timeIntervalToSliderValue(zoom.sliderValueToTimeInterval(37)), 37, 1e-9);
}

// Another program's changes arrange anew only the events they concern, and drop those that went.
TEST_F(TimelineViewControllerTest, AChangeArrangesOnlyTheEventsItConcerns) {
    save(u"lunch"_s, u"home"_s, tomorrow().addingSeconds(12 * 3600.0), 3600);
    save(u"dinner"_s, u"home"_s, tomorrow().addingSeconds(19 * 3600.0), 3600);
    const auto news = arranged(u"news"_s);
    ASSERT_FALSE(loop.rewriteAsSync(u"home"_s, u"dinner"_s, u"late dinner"_s).isEmpty());
    ASSERT_TRUE(news && QFile::remove(loop.root.filePath(u"home/lunch.ics"_s)));
    loop.storeController.takeInExternalChanges();
    layOut();
    EXPECT_EQ(arranged(u"news"_s), news);
    ASSERT_TRUE(arranged(u"dinner"_s));
    EXPECT_EQ(arranged(u"dinner"_s)->event()->title, u"late dinner"_s);
    EXPECT_EQ(view->eventArranger().cachedArrangedEvents().size(), 2) << "lunch's is gone";
}

TEST_F(TimelineViewControllerTest, TheScaleTogglesBetweenTwoKeptMappings) {
    const auto linear = view->mapping();
    controller->toggleLinearLogScale();
    EXPECT_EQ(controller->viewMode(), TimelineViewController::Logarithmic);
    const auto logarithmic = view->mapping();
    EXPECT_NE(logarithmic, linear);
    const CalendarDate start = view->startDate();
    controller->toggleLinearLogScale();
    EXPECT_EQ(view->mapping(), linear);
    controller->toggleLinearLogScale();
    EXPECT_EQ(view->mapping(), logarithmic);
    EXPECT_EQ(view->startDate(), start) << "the same range on the other scale";
    EXPECT_THROW(controller->setViewMode(2), InternalInconsistency);
    EXPECT_EQ(view->mapping(), logarithmic);
}

TEST_F(TimelineViewControllerTest, ShowNowFollowsTheClockUntilTheUserMovesAway) {
    CalendarDate clock = CalendarDate::fromComponents(2026, 12, 7, 9, 30);
    controller->setClock([&] { return clock; });
    controller->showNow();
    EXPECT_NEAR(x(clock), 50, 1e-6);
    clock = clock.addingSeconds(60);
    controller->timerFired();
    EXPECT_NEAR(x(clock), 50, 1e-6) << "a minute later the view has moved with the clock";

    QTest::mousePress(view, Qt::LeftButton, {}, QPoint(500, 500));
    QTest::mouseMove(view, QPoint(400, 500));
    QTest::mouseRelease(view, Qt::LeftButton, {}, QPoint(400, 500));
    EXPECT_FALSE(controller->isCenteredOnNow());
    const CalendarDate start = view->startDate();
    clock = clock.addingSeconds(60);
    controller->timerFired();
    EXPECT_EQ(view->startDate(), start);
}

TEST_F(TimelineViewControllerTest, NavigationIsUndoneAndRedone) {
    const CalendarDate before = view->startDate();
    const CalendarDate shown = before.addingSeconds(30 * DAY);
    controller->showDateWithUndo(shown);
    loop.nextPass();
    EXPECT_EQ(controller->centeredDate(), shown);
    loop.undo.undo();
    EXPECT_EQ(view->startDate(), before);
    loop.undo.redo();
    EXPECT_EQ(controller->centeredDate(), shown);

    controller->nextView();
    EXPECT_EQ(view->startDate(), controller->startDate());
    EXPECT_DOUBLE_EQ(view->startDate().secondsSince(shown.addingSeconds(-controller->timeIntervalMargin())),
                     controller->timeInterval());
    // The visible range is loaded as the view moves.
    EXPECT_GE(loop.controller.loadedRangeEndDate(), view->endDate().toQDateTime());
}

TEST_F(TimelineViewControllerTest, EnsureVisibleMovesOnlyForEventsOutOfView) {
    save(u"soon"_s, u"home"_s, tomorrow().addingSeconds(DAY), 3600);
    const CalendarDate start = view->startDate();
    controller->ensureEventIsVisible(*modelled(u"soon"_s));
    EXPECT_EQ(view->startDate(), start);
    save(u"later"_s, u"home"_s, tomorrow().addingSeconds(20 * DAY), 3600);
    controller->ensureEventIsVisible(*modelled(u"later"_s));
    EXPECT_EQ(controller->centeredDate(), tomorrow().addingSeconds(20 * DAY));
}

} // namespace
