#include "DateEnvironmentGuard.h"
#include "EntryTestSupport.h"

#include "entry/EnglishLexer.h"

#include <gtest/gtest.h>

namespace {

struct Case {
    const char* text;
    std::optional<TimeOfDay> time; // none: the date alone, resolved against 00:00 of the reference day
    const char* expected;
};

// The same wall-clock answers west of UTC with daylight saving and east of it without.
class DateDescriptionTest : public ::testing::TestWithParam<const char*> {
protected:
    void expectResolved(const Case& c, const CalendarDate& reference) {
        const std::optional<DateDescription> date = lexer.parseDATE(c.text);
        ASSERT_TRUE(date) << c.text;
        const CalendarDate resolved =
            c.time ? date->dateWithTime(*c.time, reference) : date->dateWithReferenceDate(reference);
        EXPECT_EQ(entrytest::wallClock(resolved), c.expected) << c.text << (c.time ? " with a time" : "");
    }

    DateEnvironmentGuard environment{QString::fromLatin1(GetParam())};
    EnglishLexer lexer;
};

TEST_P(DateDescriptionTest, ResolvesAgainstWednesdayJune10At10) {
    const TimeOfDay nine{9, 0, 0};
    const Case cases[] = {
        {"wed", std::nullopt, "2026-06-10 00:00"},
        {"wed", nine, "2026-06-17 09:00"},
        {"wed", TimeOfDay{11, 0, 0}, "2026-06-10 11:00"},
        {"mon", std::nullopt, "2026-06-15 00:00"},
        {"fri next week", std::nullopt, "2026-06-19 00:00"},
        {"mon next week", std::nullopt, "2026-06-15 00:00"},
        {"sun next week", std::nullopt, "2026-06-14 00:00"}, // weeks start on Sunday
        {"10", std::nullopt, "2026-06-10 00:00"},
        {"10th", nine, "2026-07-10 09:00"},
        {"9th", std::nullopt, "2026-07-09 00:00"},
        {"31st", std::nullopt, "2026-07-01 00:00"},
        {"june 10", nine, "2026-06-10 00:00"},
        {"june 9", std::nullopt, "2027-06-09 00:00"},
        {"jan 5", std::nullopt, "2027-01-05 00:00"},
        {"today", nine, "2026-06-10 09:00"},
        {"+2 weeks", std::nullopt, "2026-06-24 00:00"},
        {"next month", TimeOfDay{8, 15, 0}, "2026-07-10 08:15"},
    };
    for (const Case& c : cases)
        expectResolved(c, at(2026, 6, 10, 10));
}

TEST_P(DateDescriptionTest, RollsOverTheYearEnd) {
    const Case cases[] = {
        {"fri", std::nullopt, "2027-01-01 00:00"},
        {"thu", std::nullopt, "2026-12-31 00:00"},
        {"5th", std::nullopt, "2027-01-05 00:00"},
        {"dec 31", std::nullopt, "2026-12-31 00:00"},
        {"dec 30", std::nullopt, "2027-12-30 00:00"},
        // Both days lie in week 1 of 2027, so that week's Saturday is not "next week".
        {"sat next week", std::nullopt, "2027-01-09 00:00"},
    };
    for (const Case& c : cases)
        expectResolved(c, at(2026, 12, 31, 15)); // a Thursday
}

INSTANTIATE_TEST_SUITE_P(Zones, DateDescriptionTest, ::testing::Values("America/New_York", "Asia/Kolkata"),
                         [](const auto& info) { return std::string(info.index ? "Kolkata" : "NewYork"); });

} // namespace
