#include "FixedCanvas.h"
#include "TestSupport.h"
#include "records/CalEvent.h"
#include "timeline/timelineUtilities.h"

#include <gtest/gtest.h>

#include <cmath>

namespace {

const CalendarDate START = at(2026, 3, 6, 9, 0); // a five-day range over the change to daylight time
constexpr double FIVE_DAYS = 432000;

TEST(MappingTest, DatesOutsideTheRangeLandOnTheEndsOfTheLine) {
    for (bool logarithmic : {false, true}) {
        const FixedCanvas canvas(START, FIVE_DAYS, 1000, logarithmic);
        EXPECT_DOUBLE_EQ(canvas.x(START.addingSeconds(-3600)), 10.0) << logarithmic;
        EXPECT_DOUBLE_EQ(canvas.x(START), 10.0) << logarithmic;
        EXPECT_DOUBLE_EQ(canvas.x(START.addingSeconds(FIVE_DAYS)), 990.0) << logarithmic;
        EXPECT_DOUBLE_EQ(canvas.x(START.addingSeconds(FIVE_DAYS * 3)), 990.0) << logarithmic;
    }
}

TEST(MappingTest, LogarithmicScaleSharesTheLineOutByTheCurve) {
    const FixedCanvas canvas(START, FIVE_DAYS, 1020, true);
    const double width = canvas.lineLength();
    EXPECT_NEAR((canvas.x(START.addingSeconds(216000)) - 10) / width, 0.8108, 1e-4);
    const double t1 = computeT1(FIVE_DAYS, 0.03);
    EXPECT_NEAR(t1 / FIVE_DAYS, 0.0309278, 1e-6);
    for (auto [fraction, relative] : {std::pair{0.01, 0.080},
                                      {t1 / FIVE_DAYS, 0.198},
                                      {0.1, 0.412},
                                      {0.25, 0.629},
                                      {0.5, 0.811},
                                      {1.0, 1.0}})
        EXPECT_NEAR(timeIntervalToRelativePosition(fraction * FIVE_DAYS, FIVE_DAYS, 0.03), relative, 5e-4)
            << fraction;
    const CalendarDate middle =
        canvas.dateToPositionMapping().dateForHorizontalPosition(10 + width / 2, canvas);
    EXPECT_NEAR(middle.secondsSince(START), 63778, 1.0);
}

TEST(MappingTest, ForwardThenInverseGivesTheSameDateOnBothScales) {
    for (bool logarithmic : {false, true}) {
        const FixedCanvas canvas(START, FIVE_DAYS, 1280, logarithmic);
        for (double offset = 0; offset <= FIVE_DAYS; offset += 977) {
            const CalendarDate date = START.addingSeconds(offset);
            const CalendarDate back =
                canvas.dateToPositionMapping().dateForHorizontalPosition(canvas.x(date), canvas);
            EXPECT_NEAR(back.secondsSince(date), 0, 1e-3) << logarithmic << " " << offset;
        }
    }
}

TEST(MappingTest, PositionsLeftOfTheLineGiveEarlierDatesBoundedOnTheLogarithmicScale) {
    const FixedCanvas linear(START, FIVE_DAYS, 1000, false), logarithmic(START, FIVE_DAYS, 1000, true);
    EXPECT_NEAR(linear.dateToPositionMapping().dateForHorizontalPosition(0, linear).secondsSince(START),
                -10.0 / 980 * FIVE_DAYS, 1e-3);
    const double t1 = computeT1(FIVE_DAYS, 0.03);
    for (double x : {5.0, 0.0, -500.0, -100000.0}) {
        const double offset =
            logarithmic.dateToPositionMapping().dateForHorizontalPosition(x, logarithmic).secondsSince(START);
        EXPECT_LT(offset, 0) << x;
        EXPECT_GE(offset, -t1 - 1e-3) << x;
    }
}

TEST(MappingTest, BrokenInvariantsAreReported) {
    const FixedCanvas empty(START, 0, 1000, false), narrow(START, FIVE_DAYS, 20, true);
    EXPECT_EQ(failureText([&] { empty.x(START); }), "timeInterval > 0");
    EXPECT_EQ(failureText([&] { narrow.dateToPositionMapping().dateForHorizontalPosition(5, narrow); }),
              "lineLength > 0");
    EXPECT_EQ(failureText([] { computeT1(100, 1.0); }), "compression < 1.0 && compression > 0.0");
    EXPECT_EQ(failureText([] { computeT1(0, 0.03); }), "length > 0");
    EXPECT_EQ(failureText([] { timeIntervalToRelativePosition(-1, 100, 0.03); }), "offset >= 0");
}

TEST(MappingTest, EventsInIntervalIsStrictOnBothSides) {
    auto event = CalEvent::event();
    event->startDate = at(2026, 3, 9, 10).toQDateTime();
    event->endDate = at(2026, 3, 9, 11).toQDateTime();
    const EventList events{event};
    EXPECT_TRUE(eventsInInterval(events, at(2026, 3, 9, 11), at(2026, 3, 9, 12)).isEmpty());
    EXPECT_EQ(eventsInInterval(events, at(2026, 3, 9, 10, 59, 59), at(2026, 3, 9, 12)).size(), 1);
    EXPECT_TRUE(eventsInInterval(events, at(2026, 3, 9, 9), at(2026, 3, 9, 10)).isEmpty());
    EXPECT_EQ(eventsInInterval(events, at(2026, 3, 9, 9), at(2026, 3, 9, 10, 0, 1)).size(), 1);
}

} // namespace
