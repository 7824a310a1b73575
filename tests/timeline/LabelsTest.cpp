#include "FixedCanvas.h"
#include "TestSupport.h"
#include "timeline/HourLabeller.h"
#include "timeline/TimeIntervalEnumerator.h"
#include "timeline/TimelineViewRenderer.h"

#include <gtest/gtest.h>

#include <functional>

namespace {

constexpr double HOUR = 3600, DAY = 86400;
enum Pass { Hours, ThreeHours, SixHours, WeekdayAndDate, TinyWeekday, DayNumber, FifthDay, Month, Year };

std::vector<EnumeratedInterval> enumerate(const TimeIntervalEnumerator& enumerator) {
    std::vector<EnumeratedInterval> intervals;
    enumerator.enumerate([&](const EnumeratedInterval& interval) {
        intervals.push_back(interval);
        return true;
    });
    return intervals;
}

TEST(TimeIntervalEnumeratorTest, CutsTheRangeAtBothEndsAndFollowsTheCalendar) {
    TimeIntervalEnumerator hours(std::mem_fn(&CalendarDate::addHour),
                                 std::mem_fn(&CalendarDate::truncateToHour),
                                 std::mem_fn(&CalendarDate::hourOfDay));
    hours.setStart(at(2026, 12, 8, 10, 20));
    hours.setEnd(at(2026, 12, 8, 17, 30));
    const auto intervals = enumerate(hours);
    ASSERT_EQ(intervals.size(), 8u);
    EXPECT_EQ(intervals.front().start, at(2026, 12, 8, 10, 20));
    EXPECT_EQ(intervals.front().end, at(2026, 12, 8, 11));
    EXPECT_TRUE(intervals.front().clippedStart);
    EXPECT_EQ(intervals.front().index, 10);
    EXPECT_FALSE(intervals[1].partial());
    EXPECT_EQ(intervals.back().start, at(2026, 12, 8, 17));
    EXPECT_EQ(intervals.back().end, at(2026, 12, 8, 17, 30));
    EXPECT_TRUE(intervals.back().clippedEnd);
    EXPECT_FALSE(intervals.back().clippedStart);

    // Days are calendar days: the one on which the clocks go back lasts 25 hours.
    TimeIntervalEnumerator days(std::mem_fn(&CalendarDate::addDay),
                                std::mem_fn(&CalendarDate::truncateToDay));
    days.setStart(at(2026, 10, 31));
    days.setEnd(at(2026, 11, 3));
    const auto calendarDays = enumerate(days);
    ASSERT_EQ(calendarDays.size(), 3u);
    EXPECT_DOUBLE_EQ(calendarDays[1].end.secondsSince(calendarDays[1].start), 25 * HOUR);
    EXPECT_EQ(calendarDays[2].start, at(2026, 11, 2));

    days.setStart(days.end());
    EXPECT_TRUE(enumerate(days).empty());
}

TEST(HourLabellerTest, MidnightHasNoLabelToFitAndTheClockModeShowsInTheText) {
    FixedCanvas canvas(at(2026, 12, 8), DAY, 1020, false);
    HourLabeller labeller;
    labeller.setDateFormatter(canvas.dateFormatter());
    const EnumeratedInterval midnight{at(2026, 12, 8), at(2026, 12, 8, 1)};
    const EnumeratedInterval afternoon{at(2026, 12, 8, 15), at(2026, 12, 8, 16)};
    EXPECT_TRUE(labeller.doesLabelFitForInterval(midnight, 0, 1));
    EXPECT_FALSE(labeller.doesLabelFitForInterval(afternoon, 0, 1));
    const double width = labeller.labelWidth(labeller.labelForInterval(afternoon));
    EXPECT_FALSE(labeller.doesLabelFitForInterval(afternoon, 100, float(100 + width)));
    EXPECT_TRUE(labeller.doesLabelFitForInterval(afternoon, 100, float(100 + width + 0.5)));
    EXPECT_EQ(labeller.labelForInterval(afternoon), QStringLiteral(" 03:00 "));
    canvas.dateFormatter()->setTimeModeHours(24);
    EXPECT_EQ(labeller.labelForInterval(afternoon), QStringLiteral(" 15:00 "));
}

class LabelPassesTest : public ::testing::Test {
protected:
    std::vector<LabelsPainter::Selection> passes(const CalendarDate& from, double interval, double width,
                                                 bool logarithmic) {
        canvas = std::make_unique<FixedCanvas>(from, interval, width, logarithmic);
        renderer = std::make_unique<TimelineViewRenderer>(*canvas);
        renderer->setDateToPositionMapping(canvas->mapping());
        return renderer->labelSelections(from, from.addingSeconds(interval));
    }
    bool fits(Pass pass, const EnumeratedInterval& interval) const {
        return renderer->labelsPainters()[pass].doesIntervalFit(interval, *canvas);
    }

    std::unique_ptr<FixedCanvas> canvas;
    std::unique_ptr<TimelineViewRenderer> renderer;
};

TEST_F(LabelPassesTest, OnTheLinearScaleARowIsAllOrNothing) {
    // A 1000-pixel line for five days: hours are 8.3 pixels, three hours 25, six hours 50.
    const CalendarDate from = at(2026, 12, 7), to = from.addingSeconds(5 * DAY);
    const auto selections = passes(from, 5 * DAY, 1020, false);
    for (Pass pass : {Hours, ThreeHours}) {
        EXPECT_TRUE(selections[pass].intervals.empty()) << pass;
        EXPECT_EQ(selections[pass].next, from) << pass;
    }
    EXPECT_EQ(selections[SixHours].intervals.size(), 20u);
    EXPECT_EQ(selections[SixHours].next, to);
    EXPECT_EQ(selections[WeekdayAndDate].intervals.size(), 5u);
    EXPECT_EQ(selections[WeekdayAndDate].next, to);
    for (Pass pass : {TinyWeekday, DayNumber, FifthDay})
        EXPECT_TRUE(selections[pass].intervals.empty()) << pass;
    ASSERT_EQ(selections[Month].intervals.size(), 1u);
    EXPECT_TRUE(selections[Month].intervals.front().partial());
    EXPECT_EQ(selections[Year].intervals.size(), 1u);
}

TEST_F(LabelPassesTest, CutIntervalsNeverStopARow) {
    // Six hours from 10:59 on a 1260-pixel line: the first hour is one minute, far too narrow for its
    // label, and the last is cut at 16:59.
    const CalendarDate from = at(2026, 12, 8, 10, 59);
    const auto hours = passes(from, 6 * HOUR, 1280, false)[Hours].intervals;
    ASSERT_EQ(hours.size(), 6u);
    EXPECT_EQ(hours.front().start, at(2026, 12, 8, 11));
    EXPECT_EQ(hours.back().end, at(2026, 12, 8, 16, 59));
    EXPECT_TRUE(hours.back().clippedEnd);
}

TEST_F(LabelPassesTest, OnTheLogarithmicScaleRowsCascadeInWholeParentUnits) {
    const CalendarDate from = at(2026, 12, 7, 6), to = from.addingSeconds(5 * DAY);
    const auto selections = passes(from, 5 * DAY, 1280, true);

    // The hour row ends at a three-hour boundary before the first hour that does not fit; hours of
    // that block that would fit are dropped.
    const auto& hours = selections[Hours].intervals;
    ASSERT_FALSE(hours.empty());
    TimeIntervalEnumerator allHours(std::mem_fn(&CalendarDate::addHour),
                                    std::mem_fn(&CalendarDate::truncateToHour));
    allHours.setStart(from);
    allHours.setEnd(to);
    std::optional<EnumeratedInterval> firstMisfit;
    std::vector<EnumeratedInterval> fittingBeforeIt;
    for (const auto& hour : enumerate(allHours)) {
        if (!fits(Hours, hour)) {
            firstMisfit = hour;
            break;
        }
        fittingBeforeIt.push_back(hour);
    }
    ASSERT_TRUE(firstMisfit);
    const CalendarDate blockStart = firstMisfit->start.truncateToThirdHour();
    EXPECT_EQ(selections[Hours].next, blockStart);
    EXPECT_LT(hours.size(), fittingBeforeIt.size()) << "the geometry should cut a block short";
    for (const auto& hour : hours)
        EXPECT_LT(hour.start, blockStart);

    // Each coarser hour row starts where the finer one stopped (or at its next boundary, when the cut
    // interval there has no room).
    ASSERT_FALSE(selections[ThreeHours].intervals.empty());
    EXPECT_EQ(selections[ThreeHours].intervals.front().start, selections[Hours].next);
    ASSERT_FALSE(selections[SixHours].intervals.empty());
    const CalendarDate sixHoursFrom = selections[ThreeHours].next;
    EXPECT_GE(selections[SixHours].intervals.front().start, sixHoursFrom);
    EXPECT_LE(selections[SixHours].intervals.front().start, sixHoursFrom.truncateToSixthHour().addSixHours());
}

TEST_F(LabelPassesTest, AHundredLogarithmicDaysReachFifthDaysAndKeepEveryMonth) {
    const CalendarDate from = at(2026, 11, 20), to = from.addingSeconds(100 * DAY);
    const auto selections = passes(from, 100 * DAY, 1280, true);
    EXPECT_TRUE(selections[Hours].intervals.empty());
    // One-letter weekdays and day numbers take over where weekday and date stop, then every fifth day
    // at noon, four and a half days after the day numbers stop.
    const CalendarDate afterWeekdays = selections[WeekdayAndDate].next;
    EXPECT_GT(afterWeekdays, from);
    for (Pass pass : {TinyWeekday, DayNumber}) {
        ASSERT_FALSE(selections[pass].intervals.empty()) << pass;
        EXPECT_EQ(selections[pass].intervals.front().start, afterWeekdays) << pass;
    }
    ASSERT_FALSE(selections[FifthDay].intervals.empty());
    EXPECT_EQ(selections[FifthDay].intervals.front().start,
              selections[DayNumber].next.dateByAdding(0, 0, 4, 12));
    for (const auto& fifth : selections[FifthDay].intervals)
        EXPECT_EQ(fifth.start.hourOfDay(), 12);
    // Months: November (cut), December, January and February (cut) all have room.
    EXPECT_EQ(selections[Month].intervals.size(), 4u);
    EXPECT_EQ(selections[Month].next, to);
    EXPECT_EQ(selections[Year].intervals.size(), 2u);
}

} // namespace
