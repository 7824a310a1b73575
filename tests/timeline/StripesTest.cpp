#include "FixedCanvas.h"
#include "TestSupport.h"
#include "timeline/TimelineViewRenderer.h"

#include <gtest/gtest.h>

namespace {

constexpr double HOUR = 3600, DAY = 86400;
enum Unit { Months, Weeks, Days, Hours };

std::vector<std::vector<EnumeratedInterval>> stripes(const CalendarDate& from, double interval, double width,
                                                     bool logarithmic) {
    FixedCanvas canvas(from, interval, width, logarithmic);
    TimelineViewRenderer renderer(canvas);
    renderer.setDateToPositionMapping(canvas.mapping());
    return renderer.stripeSelections(from, from.addingSeconds(interval));
}

TEST(StripesTest, AUnitIsStripedWhenItsFirstWholeIntervalIsSevenPixelsWide) {
    // A hundred days on a 600-pixel line: hours 0.25 pixels, days 6, weeks 42.
    const CalendarDate from = at(2026, 11, 20);
    auto narrow = stripes(from, 100 * DAY, 620, false);
    EXPECT_TRUE(narrow[Hours].empty());
    EXPECT_TRUE(narrow[Days].empty());
    ASSERT_FALSE(narrow[Weeks].empty());
    EXPECT_EQ(narrow[Weeks].back().end, from.addingSeconds(100 * DAY));
    EXPECT_EQ(narrow[Months].size(), 4u);
    EXPECT_TRUE(narrow[Months].front().clippedStart);

    // On 1000 pixels a day is 10 pixels.
    EXPECT_EQ(stripes(from, 100 * DAY, 1020, false)[Days].size(), 100u);

    // A cut first hour narrower than the limit does not decide; the first whole hour does.
    const auto sixHours = stripes(at(2026, 12, 8, 10, 59), 6 * HOUR, 1280, false)[Hours];
    ASSERT_EQ(sixHours.size(), 7u);
    EXPECT_TRUE(sixHours.front().clippedStart);
}

TEST(StripesTest, LogarithmicHourStripesRunOnToTheMidnightAfterTheyBecomeNarrow) {
    const CalendarDate from = at(2026, 12, 7, 6);
    FixedCanvas canvas(from, 5 * DAY, 1280, true);
    TimelineViewRenderer renderer(canvas);
    renderer.setDateToPositionMapping(canvas.mapping());
    const auto hours = renderer.stripeSelections(from, canvas.endDate())[Hours];
    ASSERT_FALSE(hours.empty());
    const EnumeratedInterval& last = hours.back();
    EXPECT_EQ(last.end, last.end.truncateToDay());
    EXPECT_LT(canvas.x(last.end) - canvas.x(last.start), 7.0);
    EXPECT_LT(last.end, canvas.endDate());
    // Before that day the hours were all wide enough.
    for (const auto& hour : hours) {
        if (hour.end <= last.end.addingSeconds(-DAY)) {
            EXPECT_GE(canvas.x(hour.end) - canvas.x(hour.start), 7.0);
        }
    }
}

} // namespace
