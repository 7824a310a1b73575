#include "DateEnvironmentGuard.h"
#include "EntryTestSupport.h"

#include "entry/EnglishLexer.h"

#include <gtest/gtest.h>

#include <cstdio>

namespace {

// Each case: reference, date text, clock time ("" for the date alone, read against 00:00 of the reference
// day) and the answer, the same west of UTC with daylight saving and east of it without.
TEST(DateDescription, NextMatchingDayFromTheReference) {
    for (const char* zone : {"America/New_York", "Asia/Kolkata"}) {
        DateEnvironmentGuard environment(QString::fromLatin1(zone));
        const CalendarDate wed = at(2026, 6, 10, 10), thu = at(2026, 12, 31, 15);
        const std::tuple<CalendarDate, const char*, const char*, const char*> cases[] = {
            {wed, "wed", "9:00", "2026-06-17 09:00"},
            {wed, "mon", "", "2026-06-15 00:00"},
            {wed, "fri next week", "", "2026-06-19 00:00"},
            {wed, "sun next week", "", "2026-06-14 00:00"}, // weeks start on Sunday
            {wed, "10", "", "2026-06-10 00:00"},
            {wed, "10th", "9:00", "2026-07-10 09:00"},
            {wed, "31st", "", "2026-07-01 00:00"},
            {wed, "june 9", "", "2027-06-09 00:00"},
            {wed, "today", "9:00", "2026-06-10 09:00"},
            {wed, "next month", "8:15", "2026-07-10 08:15"},
            {thu, "5th", "", "2027-01-05 00:00"},
            // Both days lie in week 1 of 2027, so that week's Saturday is not "next week".
            {thu, "sat next week", "", "2027-01-09 00:00"},
        };
        EnglishLexer lexer;
        for (const auto& [reference, text, clock, expected] : cases) {
            const std::optional<DateDescription> date = lexer.parseDATE(QString::fromUtf8(text));
            ASSERT_TRUE(date) << text;
            TimeOfDay time;
            const bool timed = std::sscanf(clock, "%d:%d", &time.hour, &time.minute) == 2;
            const CalendarDate resolved =
                timed ? date->dateWithTime(time, reference) : date->dateWithReferenceDate(reference);
            EXPECT_EQ(entrytest::wallClock(resolved), expected) << text << ' ' << clock << " in " << zone;
        }
    }
}

} // namespace
