#include "TimelineViewTestSupport.h"
#include "timeline/view/InlineEditEventController.h"
#include "timeline/view/TimelineViewDelegate.h"

#include <gtest/gtest.h>

#include <QLineEdit>
#include <QWheelEvent>

namespace {

constexpr double HOUR = 3600, DAY = 86400;

class TimelineViewTest : public ::testing::Test, public TimelineViewFixture {
protected:
    CalendarDate at(double hours) const { return tomorrow().addingSeconds(hours * HOUR); }
    // The middle of an event's bar.
    QPoint barMiddle(const QString& uid) const { return point(arranged(uid)->timeBarRect().center()); }
    void drag(const QPoint& from, const QList<int>& steps) {
        QTest::mousePress(view, Qt::LeftButton, {}, from);
        for (int dx : steps)
            QTest::mouseMove(view, from + QPoint(dx, 0));
    }
};

TEST_F(TimelineViewTest, AClickSelectsAndAReadOnlyEventIsNotDragged) {
    save(u"standup"_s, u"home"_s, at(10), HOUR);
    QTest::mouseClick(view, Qt::LeftButton, {}, barMiddle(u"standup"_s));
    ASSERT_TRUE(loop.model.selectedEvent());
    EXPECT_EQ(loop.model.selectedEvent()->uid, u"standup"_s);

    QTest::mouseClick(view, Qt::LeftButton, {}, QPoint(900, 500));
    EXPECT_FALSE(loop.model.selectedEvent());

    loop.store.calls.clear();
    layOut(); // the rows as they are without a selection
    const QPoint news = barMiddle(u"news"_s);
    drag(news, {20, 60});
    QTest::mouseRelease(view, Qt::LeftButton, {}, news + QPoint(60, 0));
    ASSERT_TRUE(loop.model.selectedEvent());
    EXPECT_EQ(loop.model.selectedEvent()->uid, u"news"_s);
    EXPECT_EQ(modelled(u"news"_s)->startDate, at(30).toQDateTime());
    EXPECT_TRUE(loop.store.calls.isEmpty());
}

TEST_F(TimelineViewTest, AMoveSnapsToTheZoomsStepAndIsSavedOnRelease) {
    // Five days on about a thousand pixels: 7 pixels hold some 3,000 seconds, so steps are an hour and
    // half a step is a little over 4 pixels.
    save(u"standup"_s, u"home"_s, at(10), HOUR);
    const auto event = modelled(u"standup"_s);
    const QPoint from = barMiddle(u"standup"_s);
    ASSERT_EQ(TimelineView::roundTimeInterval(view->timeIntervalToleranceAtPoint(from)), HOUR);
    const double pixelsPerHour = x(at(11)) - x(at(10));

    drag(from, {2});
    EXPECT_EQ(event->startDate, at(10).toQDateTime()) << "under 3 pixels";
    QTest::mouseMove(view, from + QPoint(int(pixelsPerHour * 0.4), 0));
    EXPECT_EQ(event->startDate, at(10).toQDateTime()) << "under half a step";
    QTest::mouseMove(view, from + QPoint(int(pixelsPerHour * 1.6), 0));
    EXPECT_EQ(event->startDate, at(12).toQDateTime());
    EXPECT_EQ(event->endDate, at(13).toQDateTime());
    // Back within 3 pixels of the start: ignored, the last step stands.
    QTest::mouseMove(view, from + QPoint(1, 0));
    EXPECT_EQ(event->startDate, at(12).toQDateTime());

    QTest::mouseRelease(view, Qt::LeftButton, {}, from + QPoint(1, 0));
    loop.nextPass();
    EXPECT_EQ(modelled(u"standup"_s)->startDate, at(12).toQDateTime());
    EXPECT_EQ(loop.stored(u"standup"_s).front()->startDate, at(12).toQDateTime());
    EXPECT_EQ(loop.undo.undoActionName(), u"Edit Event"_s);
    loop.undo.undo();
    EXPECT_EQ(loop.stored(u"standup"_s).front()->startDate, at(10).toQDateTime());
}

class RecordingDelegate : public TimelineViewDelegate {
public:
    std::shared_ptr<CalEvent> createEventWithStart(const CalendarDate&, const CalendarDate&) override {
        return {};
    }
    void selectedEventWasClicked(const std::shared_ptr<CalEvent>&) override {}
    void didModifyEvent(const std::shared_ptr<CalEvent>& m, const std::shared_ptr<CalEvent>& e) override {
        modified = m;
        event = e;
    }
    void previousView() override {}
    void nextView() override {}
    void showNow() override {}
    void ensureEventIsVisible(const CalEvent&) override {}
    void didEnterLineForEvent(const std::shared_ptr<CalEvent>&, const QString&) override {}
    int recognisedLengthOfLine(const QString&) override { return 0; }
    std::shared_ptr<CalEvent> modified, event;
};

TEST_F(TimelineViewTest, EdgesResizeWithinTheEventAndReleaseHandsOverACopy) {
    save(u"standup"_s, u"home"_s, at(10), HOUR);
    RecordingDelegate recorder;
    view->setDelegate(&recorder);
    loop.store.calls.clear();
    const auto shown = modelled(u"standup"_s);

    const QPoint start = point(arranged(u"standup"_s)->startResizeRect().center());
    drag(start, {300});
    EXPECT_EQ(shown->startDate, at(11).toQDateTime()) << "a start dragged past the end stops there";
    QTest::mouseRelease(view, Qt::LeftButton, {}, start + QPoint(300, 0));
    ASSERT_TRUE(recorder.modified);
    EXPECT_EQ(recorder.event, shown);
    EXPECT_NE(recorder.modified, shown);
    EXPECT_EQ(recorder.modified->startDate, at(11).toQDateTime());
    EXPECT_EQ(recorder.event->startDate, at(10).toQDateTime()) << "the view's event is back as stored";
    EXPECT_TRUE(loop.store.calls.filter(u"save"_s).isEmpty()) << "saving is the delegate's business";

    recorder.modified = nullptr;
    layOut();
    const QPoint end = point(arranged(u"standup"_s)->endResizeRect().center());
    drag(end, {-300});
    EXPECT_EQ(shown->endDate, at(10).toQDateTime()) << "an end dragged before the start stops there";
    QTest::mouseMove(view, end); // back to where it began: nothing changed
    QTest::mouseMove(view, end + QPoint(4, 0));
    QTest::mouseRelease(view, Qt::LeftButton, {}, end + QPoint(4, 0));
    EXPECT_FALSE(recorder.modified) << "a drag that rounds to nothing is not a modification";
    view->setDelegate(controller.get());
}

TEST_F(TimelineViewTest, AllDayEventsMoveByWholeDays) {
    save(u"trip"_s, u"home"_s, tomorrow().addDay(), DAY, true);
    const auto trip = modelled(u"trip"_s);
    const QPoint from = barMiddle(u"trip"_s);
    const double pixelsPerDay = x(at(48)) - x(at(24));
    drag(from, {int(pixelsPerDay * 0.4)});
    EXPECT_EQ(trip->startDate, tomorrow().addDay().toQDateTime());
    QTest::mouseMove(view, from + QPoint(int(pixelsPerDay * 0.6), 0));
    EXPECT_EQ(trip->startDate, tomorrow().addDay().addDay().toQDateTime());
    QTest::mouseRelease(view, Qt::LeftButton, {}, from + QPoint(int(pixelsPerDay * 0.6), 0));
}

TEST_F(TimelineViewTest, ADoubleClickInEmptySpaceCreatesAnEventAndNamesItInPlace) {
    loop.model.setSelectedCalendarUid(u"home"_s);
    const QPoint place(int(x(at(30.5))), 400);
    QTest::mouseDClick(view, Qt::LeftButton, {}, place);
    InlineEditEventController& editor = view->inlineEditEventController();
    ASSERT_TRUE(editor.isActive());
    const auto created = editor.event();
    EXPECT_EQ(created->startDate, at(30).toQDateTime()) << "a one-hour event from the full hour";
    EXPECT_EQ(created->endDate, at(31).toQDateTime());
    QTest::keyClicks(editor.titleField(), u"Lunch"_s);
    QTest::keyClick(editor.titleField(), Qt::Key_Return);
    loop.nextPass();
    EXPECT_FALSE(editor.isActive());
    EXPECT_EQ(loop.stored(created->uid).front()->title, u"Lunch"_s);
    EXPECT_EQ(loop.undo.undoActionName(), u"Rename Event"_s);

    // A hundred days: a day from midnight. A click in the timeline discards the typed title.
    controller->setTimeInterval(100 * DAY);
    layOut();
    QTest::mouseDClick(view, Qt::LeftButton, {}, QPoint(int(x(at(24 * 40 + 7))), 400));
    ASSERT_TRUE(editor.isActive());
    const auto day = editor.event();
    EXPECT_EQ(day->startDate, at(24 * 40).toQDateTime());
    EXPECT_EQ(day->endDate, at(24 * 41).toQDateTime());
    QTest::keyClicks(editor.titleField(), u"Discarded"_s);
    QTest::mouseClick(view, Qt::LeftButton, {}, QPoint(900, 550));
    EXPECT_FALSE(editor.isActive());
    EXPECT_EQ(loop.stored(day->uid).front()->title, u"New Event"_s);

    // Escape cancels as well.
    const QPoint third(int(x(at(24 * 60))), 400);
    QTest::mouseDClick(view, Qt::LeftButton, {}, third);
    ASSERT_TRUE(editor.isActive());
    view->cancelOperation();
    EXPECT_FALSE(editor.isActive());
    // QTest holds the button down after a double click; later tests' moves would be drags.
    QTest::mouseRelease(view, Qt::LeftButton, {}, third);
}

TEST_F(TimelineViewTest, PinchesAndSidewaysScrollingMoveTheRange) {
    view->magnify(1.0, 500);
    EXPECT_DOUBLE_EQ(view->timeInterval(), 5 * DAY / 2.75);
    EXPECT_DOUBLE_EQ(controller->timeInterval(), view->timeInterval()) << "the controller follows the view";
    for (int i = 0; i < 10; ++i)
        view->magnify(3.0, 500);
    EXPECT_DOUBLE_EQ(view->timeInterval(), 21600);
    for (int i = 0; i < 20; ++i)
        view->magnify(-0.5, 500);
    EXPECT_DOUBLE_EQ(view->timeInterval(), 8640000);

    const CalendarDate start = view->startDate();
    const double perPixel = view->timeIntervalPerPixelAtXCoordinate(50);
    QWheelEvent wheel(QPointF(200, 200), view->mapToGlobal(QPointF(200, 200)), QPoint(10, 0), QPoint(80, 0),
                      Qt::NoButton, Qt::NoModifier, Qt::NoScrollPhase, false);
    QApplication::sendEvent(view, &wheel);
    EXPECT_NEAR(view->startDate().secondsSince(start), -10 * perPixel, 0.01);
}

TEST_F(TimelineViewTest, PointerMovesAreRestyledOncePerPass) {
    save(u"a"_s, u"home"_s, at(10), HOUR);
    save(u"b"_s, u"home"_s, at(40), HOUR);
    QTest::mouseMove(view, barMiddle(u"a"_s));
    QTest::mouseMove(view, barMiddle(u"b"_s));
    EXPECT_TRUE(view->isStyleUpdatePending());
    ASSERT_TRUE(view->trackedArrangedEvent());
    EXPECT_EQ(view->trackedArrangedEvent()->event()->uid, u"b"_s);
    QCoreApplication::processEvents();
    EXPECT_FALSE(view->isStyleUpdatePending());
    EXPECT_TRUE(arranged(u"b"_s)->style() && arranged(u"b"_s)->style()->rollover);
    EXPECT_FALSE(arranged(u"a"_s)->style() && arranged(u"a"_s)->style()->rollover);
}

TEST_F(TimelineViewTest, FocusingEventsDimsTheOthersWithoutANewLayout) {
    save(u"a"_s, u"home"_s, at(10), HOUR);
    save(u"b"_s, u"home"_s, at(40), HOUR);
    const auto dimmed = [&](const QString& uid) {
        return arranged(uid)->style() && arranged(uid)->style()->dimmed;
    };
    // Away from the bars, wherever an earlier test left the pointer: the one under it is not dimmed.
    QTest::mouseMove(view, QPoint(1, view->height() - 2));
    view->setFocusedEvents({modelled(u"a"_s)});
    EXPECT_TRUE(view->isStyleUpdatePending());
    QCoreApplication::processEvents();
    EXPECT_TRUE(dimmed(u"b"_s));
    EXPECT_FALSE(dimmed(u"a"_s));
    view->setFocusedEvents({});
    QCoreApplication::processEvents();
    EXPECT_FALSE(dimmed(u"b"_s));
}

} // namespace
