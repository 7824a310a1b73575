#include "dates/dateUtilities.h"

#include "DateEnvironmentGuard.h"

#include <gtest/gtest.h>

#include <chrono>
#include <thread>
#include <tuple>

namespace {

std::tuple<int, int, int> parts(const TimeOfDay& t) {
    return {t.hour, t.minute, t.second};
}

TEST(DateUtilities, DayMonthOrderIsMonthFirstOnlyInTheUnitedStates) {
    struct Case {
        const char* locale;
        int order;
    };
    for (const Case& c :
         {Case{"en_US", 1}, Case{"es_US", 1}, Case{"en_GB", 0}, Case{"de_DE", 0}, Case{"de", 0}}) {
        DateEnvironmentGuard env(QStringLiteral("America/New_York"), QString::fromLatin1(c.locale));
        EXPECT_EQ(defaultDayMonthOrder(), c.order) << c.locale;
    }
}

TEST(DateUtilities, ClockHoursFollowTheLocalesShortTimeFormat) {
    struct Case {
        const char* locale;
        int hours;
    };
    for (const Case& c : {Case{"en_US", 12}, Case{"de_DE", 24}, Case{"en_GB", 24}}) {
        DateEnvironmentGuard env(QStringLiteral("America/New_York"), QString::fromLatin1(c.locale));
        EXPECT_EQ(defaultSystemTimeModeHours(), c.hours) << c.locale;
    }
}

TEST(DateUtilities, MonotonicSecondsNeverGoBackAndCountSeconds) {
    double previous = doublePrecisionSeconds();
    const double start = previous;
    for (int i = 0; i < 10000; ++i) {
        const double now = doublePrecisionSeconds();
        ASSERT_GE(now, previous);
        previous = now;
    }
    std::this_thread::sleep_for(std::chrono::milliseconds(50));
    const double slept = doublePrecisionSeconds() - start;
    EXPECT_GE(slept, 0.05);
    EXPECT_LT(slept, 5.0);
}

TEST(DateUtilities, CreateDateIsTodayAtTheClockTime) {
    DateEnvironmentGuard env(QStringLiteral("America/New_York"));
    const CalendarDate before = CalendarDate::now().truncateToDay();
    const std::optional<CalendarDate> onePm = createDate(QStringLiteral("13:00"));
    const std::optional<CalendarDate> ninePm = createDate(QStringLiteral("9:30 pm"));
    const CalendarDate after = CalendarDate::now().truncateToDay();
    ASSERT_TRUE(onePm && ninePm);
    // Around midnight "today" may be either day.
    EXPECT_TRUE(onePm->truncateToDay() == before || onePm->truncateToDay() == after);
    EXPECT_EQ(parts(onePm->timeOfDay()), std::tuple(13, 0, 0));
    EXPECT_EQ(parts(ninePm->timeOfDay()), std::tuple(21, 30, 0));
    EXPECT_FALSE(createDate(QStringLiteral("tomorrow")).has_value());
}

} // namespace
