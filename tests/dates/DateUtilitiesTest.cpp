#include "dates/dateUtilities.h"

#include "DateEnvironmentGuard.h"

#include <gtest/gtest.h>

#include <chrono>
#include <thread>

namespace {

TEST(DateUtilities, LocaleDecidesDayMonthOrderAndClock) {
    const std::tuple<const char*, int, int> cases[] = {
        {"en_US", 1, 12}, {"es_US", 1, 12}, {"en_GB", 0, 24}, {"de", 0, 24}};
    for (const auto& [locale, order, hours] : cases) {
        DateEnvironmentGuard env(QStringLiteral("America/New_York"), QString::fromLatin1(locale));
        EXPECT_EQ(defaultDayMonthOrder(), order) << locale;
        EXPECT_EQ(defaultSystemTimeModeHours(), hours) << locale;
    }
}

TEST(DateUtilities, MonotonicSecondsNeverGoBackAndCountSeconds) {
    const double start = doublePrecisionSeconds();
    double previous = start;
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
    const std::optional<CalendarDate> date = createDate(QStringLiteral("9:30 pm"));
    const CalendarDate after = CalendarDate::now().truncateToDay();
    ASSERT_TRUE(date);
    // Around midnight "today" may be either day.
    EXPECT_TRUE(date->truncateToDay() == before || date->truncateToDay() == after);
    EXPECT_EQ(date->timeOfDay(), (TimeOfDay{21, 30, 0}));
    EXPECT_FALSE(createDate(QStringLiteral("tomorrow")).has_value());
}

} // namespace
