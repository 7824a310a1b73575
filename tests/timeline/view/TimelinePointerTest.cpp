#include "TimelineViewTestSupport.h"
#include "timeline/timelineSettings.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QNativeGestureEvent>
#include <QPointingDevice>
#include <QScrollBar>
#include <QWheelEvent>

namespace {

constexpr double HOUR = 3600, DAY = 86400;

class TimelinePointerTest : public ::testing::Test, public TimelineViewFixture {
protected:
    // A wheel turned by `angle` (120 a notch) at x; whether the view took it.
    bool turnWheel(double x, const QPoint& angle, Qt::KeyboardModifiers modifiers) {
        const QPointF at(x, 200);
        QWheelEvent wheel(at, view->mapToGlobal(at), QPoint(), angle, Qt::NoButton, modifiers,
                          Qt::NoScrollPhase, false);
        QApplication::sendEvent(view, &wheel);
        return wheel.isAccepted();
    }
    CalendarDate dateAt(double x) const {
        return view->dateToPositionMapping().dateForHorizontalPosition(x, *view);
    }
};

TEST_F(TimelinePointerTest, CtrlWheelAndPinchesZoomAroundThePointerOnBothScales) {
    for (const int mode : {TimelineViewController::Linear, TimelineViewController::Logarithmic}) {
        SCOPED_TRACE(mode);
        controller->setViewMode(mode);
        controller->setTimeInterval(5 * DAY);
        const double before = view->timeInterval();
        const CalendarDate pointed = dateAt(300);
        EXPECT_TRUE(turnWheel(300, QPoint(0, 120), Qt::ControlModifier));
        EXPECT_LT(view->timeInterval(), before) << "away from the user: in";
        EXPECT_NEAR(x(pointed), 300, 1.0);

        const CalendarDate right = dateAt(900);
        EXPECT_TRUE(turnWheel(900, QPoint(0, -240), Qt::ControlModifier));
        EXPECT_GT(view->timeInterval(), before);
        EXPECT_NEAR(x(right), 900, 1.0);
        EXPECT_DOUBLE_EQ(controller->timeInterval(), view->timeInterval()) << "the controller follows";

        const CalendarDate pinched = dateAt(700);
        const double wide = view->timeInterval();
        QNativeGestureEvent pinch(Qt::ZoomNativeGesture, QPointingDevice::primaryPointingDevice(), 2,
                                  QPointF(700, 200), QPointF(700, 200), view->mapToGlobal(QPointF(700, 200)),
                                  0.5, QPointF(), 1);
        QApplication::sendEvent(view, &pinch);
        EXPECT_DOUBLE_EQ(view->timeInterval(), wide / 1.875);
        EXPECT_NEAR(x(pinched), 700, 1.0);
    }
}

TEST_F(TimelinePointerTest, ShiftWheelScrollsSidewaysAndThePlainWheelIsTheScrollAreas) {
    const double perPixel = view->timeIntervalPerPixelAtXCoordinate(CENTERED_POSITION_LEFT_MARGIN);
    const CalendarDate start = view->startDate();
    // 80 eighths of a degree: 10 pixels, towards earlier dates as the wheel turns away.
    EXPECT_TRUE(turnWheel(400, QPoint(0, 80), Qt::ShiftModifier));
    EXPECT_NEAR(view->startDate().secondsSince(start), -10 * perPixel, 0.01);
    EXPECT_TRUE(turnWheel(400, QPoint(-160, 0), Qt::ShiftModifier)) << "turned sideways already";
    EXPECT_NEAR(view->startDate().secondsSince(start), 10 * perPixel, 0.01);

    // Ignored, the system hands it on to the scroll area, which scrolls the rows.
    const CalendarDate moved = view->startDate();
    EXPECT_FALSE(turnWheel(400, QPoint(0, -120), Qt::NoModifier));
    EXPECT_EQ(view->startDate(), moved);
    EXPECT_DOUBLE_EQ(view->timeInterval(), 5 * DAY);
}

TEST_F(TimelinePointerTest, TheFocusFrameSurroundsTheVisiblePartOnlyWithFocus) {
    area.resize(1040, 200);
    stack(6, tomorrow().addingSeconds(20 * HOUR));
    ASSERT_GT(view->height(), area.viewport()->height());
    area.verticalScrollBar()->setValue(60);
    const QColor highlight = view->palette().color(QPalette::Highlight);
    const auto edges = [&] {
        const QImage shot = area.viewport()->grab().toImage();
        const int w = shot.width(), h = shot.height();
        int framed = 0;
        for (const QPoint& p :
             {QPoint(0, h / 2), QPoint(w - 1, h / 2), QPoint(w / 3, 0), QPoint(w / 3, h - 1)})
            framed += shot.pixelColor(p) == highlight;
        EXPECT_NE(shot.pixelColor(4, h / 2), highlight) << "thin";
        return framed;
    };
    area.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&area));
    view->setFocus();
    ASSERT_TRUE(view->hasFocus());
    EXPECT_EQ(edges(), 4);
    view->clearFocus();
    ASSERT_FALSE(view->hasFocus());
    EXPECT_EQ(edges(), 0);
}

} // namespace
