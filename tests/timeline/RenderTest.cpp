#include "TestSupport.h"
#include "TimelineEventTestSupport.h"
#include "timeline/ArrangedEvent.h"
#include "timeline/DateToPositionMapping.h"
#include "timeline/OffscreenTimelineCanvas.h"

#include <gtest/gtest.h>

#include <QColor>
#include <QImage>

namespace {

constexpr double HOUR = 3600, DAY = 86400;

// What only the pixels show: tints, lines, the marker, colours and the clip at the margins.
class RenderTest : public ::testing::Test {
protected:
    QImage render(const CalendarDate& from, double interval, bool logarithmic, const CalendarDate& now) {
        canvas.setStartDate(from);
        canvas.setTimeInterval(interval);
        canvas.setLogarithmic(logarithmic);
        return canvas.render(now);
    }
    int x(const CalendarDate& date) const {
        return int(canvas.dateToPositionMapping().horizontalPositionForDate(date, canvas));
    }
    static bool isRed(QRgb pixel) { return qRed(pixel) > 200 && qGreen(pixel) < 120 && qBlue(pixel) < 120; }
    static int redPixels(const QImage& image, const QRect& area) {
        int count = 0;
        for (int py = area.top(); py <= area.bottom(); ++py)
            for (int px = area.left(); px <= area.right(); ++px)
                count += isRed(image.pixel(px, py));
        return count;
    }

    OffscreenTimelineCanvas canvas{QSize(1280, 400)};
};

TEST_F(RenderTest, OddHoursAreTintedBlueBelowTheLineOnly) {
    const CalendarDate from = at(2026, 12, 8, 8);
    const QImage image = render(from, 6 * HOUR, false, from);
    const QRgb evenHour = image.pixel(x(at(2026, 12, 8, 8, 30)), 300);
    const QRgb oddHour = image.pixel(x(at(2026, 12, 8, 9, 30)), 300);
    EXPECT_LT(qRed(oddHour), qRed(evenHour));
    EXPECT_GT(qBlue(oddHour) - qRed(oddHour), qBlue(evenHour) - qRed(evenHour));
    EXPECT_LE(qRed(evenHour) - qRed(oddHour), 12) << "the tint is faint";
    // The label rows above the line stay white.
    EXPECT_EQ(image.pixel(x(at(2026, 12, 8, 9, 30)), 48), qRgb(255, 255, 255));
}

TEST_F(RenderTest, MonthBoundariesInsideTheRangeGetBlackLinesAndRedSundays) {
    const CalendarDate from = at(2026, 11, 20);
    const QImage image = render(from, 100 * DAY, false, from.addingSeconds(-DAY));
    const int december = x(at(2026, 12, 1));
    // Nearly black: the faint stripes of the finer units are painted over the lines.
    for (int y : {35, 100, 399})
        EXPECT_LT(qGray(image.pixel(december, y)), 20) << y;
    EXPECT_GT(qGray(image.pixel(december, 25)), 200) << "lines start 20 pixels above the line";
    // The range starts mid-month: no line at the left end.
    EXPECT_GT(qGray(image.pixel(10, 100)), 200);

    // Fifth-day labels: November 29 is a Sunday and written in red, December 4 is a Friday.
    const QRect dateRow(0, 29, 16, 12);
    EXPECT_GT(redPixels(image, dateRow.translated(x(at(2026, 11, 29, 12)) - 8, 0)), 5);
    EXPECT_EQ(redPixels(image, dateRow.translated(x(at(2026, 12, 4, 12)) - 8, 0)), 0);
}

TEST_F(RenderTest, TheCurrentTimeMarkerShowsOnlyWhenNowIsInTheRange) {
    const CalendarDate from = at(2026, 12, 7);
    const QImage inside = render(from, 5 * DAY, true, from.addingSeconds(6 * HOUR));
    const int marker = x(from.addingSeconds(6 * HOUR));
    EXPECT_GT(redPixels(inside, QRect(marker - 2, 60, 5, 300)), 100);
    const QImage later = render(from, 5 * DAY, true, from.addingSeconds(6 * DAY));
    EXPECT_EQ(redPixels(later, later.rect().adjusted(0, 52, 0, 0)), 0);
}

TEST_F(RenderTest, TheCurrentTimeMarkerPassesUnderEventLabels) {
    const CalendarDate from = at(2026, 12, 7);
    const CalendarDate now = from.addingSeconds(DAY + 2 * HOUR);
    // The bar ends before now; its long title reaches across the marker.
    canvas.setEvents({testEvent(QStringLiteral("A title long enough to reach across the marker"),
                                now.addingSeconds(-HOUR), now.addingSeconds(-HOUR / 2))});
    const QImage image = render(from, 5 * DAY, false, now);
    const ArrangedEvent& arranged = *canvas.drawing().eventArranger().arrangedEvents().front();
    const QRect label =
        QRectF(arranged.boundingRect().topLeft() + QPointF(-6, 10), arranged.labelSize()).toAlignedRect();
    const int marker = x(now);
    ASSERT_LT(label.left(), marker);
    ASSERT_GT(label.right(), marker);
    EXPECT_EQ(redPixels(image, QRect(marker - 2, label.top(), 5, label.height())), 0);
    EXPECT_GT(redPixels(image, QRect(marker - 2, label.bottom() + 5, 5, 100)), 20) << "below the label";
}

TEST_F(RenderTest, DimmedEventsAreFaintAndNothingReachesIntoTheMargins) {
    const CalendarDate from = at(2026, 12, 7);
    const auto early = testEvent("Early", from.addingSeconds(-DAY), from.addingSeconds(DAY));
    const auto focused = testEvent("Focused", from.addingSeconds(2 * DAY), from.addingSeconds(3 * DAY));
    canvas.setEvents({early, focused});
    const QImage plain = render(from, 5 * DAY, false, from);
    const int barY = 52 + 10 + 4;
    const QRgb bar = plain.pixel(100, barY);
    EXPECT_LT(qGray(bar), 160) << "the bar of an event that started before the range";
    EXPECT_EQ(plain.pixel(5, barY), qRgb(255, 255, 255)) << "the left margin stays empty";

    EventHighlights highlights;
    highlights.focusedEvents = {focused};
    canvas.setHighlights(highlights);
    const QImage dimmed = render(from, 5 * DAY, false, from);
    EXPECT_GT(qGray(dimmed.pixel(100, barY)), qGray(bar) + 60);
    EXPECT_EQ(dimmed.pixel(x(from.addingSeconds(2.5 * DAY)), barY),
              plain.pixel(x(from.addingSeconds(2.5 * DAY)), barY));
}

} // namespace
