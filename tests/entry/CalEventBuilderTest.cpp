#include "DateEnvironmentGuard.h"
#include "EntryTestSupport.h"

#include <gtest/gtest.h>

namespace {

// Against Wednesday June 10, 10:00, west of UTC with daylight saving and east of it without; the event
// was "New Event" in Home, an hour from 12:00.
TEST(CalEventBuilder, WritesTheLineIntoTheEvent) {
    const std::pair<const char*, const char*> cases[] = {
        {"wed lunch", "2026-06-10 00:00 .. 2026-06-11 00:00 lunch [Home] all-day"},
        {"9 lunch", "2026-07-09 00:00 .. 2026-07-10 00:00 lunch [Home] all-day"},
        {"fri to sun trip", "2026-06-12 00:00 .. 2026-06-15 00:00 trip [Home] all-day"},
        {"tomorrow to", "2026-06-11 00:00 .. 2026-06-12 00:00  [Home] all-day"}, // no title
        {"fri 9 lunch", "2026-06-12 09:00 .. 2026-06-12 10:00 lunch [Home]"},
        // The title is the rest of the line after the dates, also where it starts like a date, a number or
        // a calendar's name.
        {"3pm fri lunch", "2026-06-10 15:00 .. 2026-06-10 16:00 fri lunch [Home]"},
        {"fri 9am 5 things", "2026-06-12 09:00 .. 2026-06-12 10:00 5 things [Home]"},
        {"9am workshop", "2026-06-11 09:00 .. 2026-06-11 10:00 workshop [Home]"},
        {"tomorrow\tlunch", "2026-06-11 00:00 .. 2026-06-12 00:00 \tlunch [Home] all-day"},
        {"work: fri 9am", "2026-06-12 09:00 .. 2026-06-12 10:00 New Event [Work]"},
        {"WORK: lunch", "2026-06-10 12:00 .. 2026-06-10 13:00 New Event [Work]"}, // the calendar alone
        {"work: fri standup", "2026-06-12 00:00 .. 2026-06-13 00:00 standup [Work] all-day"},
        {"fri to sun 5pm x", "2026-06-12 00:00 .. 2026-06-14 17:00 x [Home]"},
        {"fri 9am to sun x", "2026-06-12 09:00 .. 2026-06-14 00:00 x [Home]"},
        // The end resolves against the start; after a time a bare number is an hour, after a day a day.
        {"mon to +2 days x", "2026-06-15 00:00 .. 2026-06-18 00:00 x [Home] all-day"},
        {"mon to 5 x", "2026-06-15 00:00 .. 2026-07-06 00:00 x [Home] all-day"},
        {"9am to 5 x", "2026-06-11 09:00 .. 2026-06-12 05:00 x [Home]"},
        {"fri 8am to at 9 x", "2026-06-12 08:00 .. 2026-06-12 09:00 x [Home]"},
        {"tomorrow 9am to today 8am x", "2026-06-11 09:00 .. 2026-06-11 08:00 x [Home]"},
        // A time alone is the next such moment.
        {"9am x", "2026-06-11 09:00 .. 2026-06-11 10:00 x [Home]"},
        {"10:00 x", "2026-06-10 10:00 .. 2026-06-10 11:00 x [Home]"},
        {"june 10 9am x", "2026-06-10 09:00 .. 2026-06-10 10:00 x [Home]"},
    };
    for (const char* zone : {"America/New_York", "Asia/Kolkata"}) {
        DateEnvironmentGuard environment(QString::fromLatin1(zone));
        entrytest::EventMaker maker;
        for (const auto& [line, expected] : cases)
            EXPECT_EQ(maker.built(line, at(2026, 6, 10, 10)), expected) << line << " in " << zone;
        // Without an end the event keeps its own length.
        EXPECT_EQ(maker.built("fri 9am x", at(2026, 6, 10, 10), 90),
                  "2026-06-12 09:00 .. 2026-06-12 10:30 x [Home]");
    }
}

// New York's clocks go forward on Sunday, March 8, 2026 and back on Sunday, November 1: days there are
// calendar days of 23 or 25 hours, while a kept length is elapsed time.
TEST(CalEventBuilder, AcrossDaylightSavingChanges) {
    DateEnvironmentGuard environment("America/New_York");
    entrytest::EventMaker maker;
    const std::tuple<CalendarDate, const char*, const char*> cases[] = {
        {at(2026, 3, 7, 10), "tomorrow 9am x", "2026-03-08 09:00 .. 2026-03-08 10:00 x [Home]"},
        {at(2026, 3, 7, 10), "sat to mon x", "2026-03-07 00:00 .. 2026-03-10 00:00 x [Home] all-day"},
        {at(2026, 3, 7, 10), "sun x", "2026-03-08 00:00 .. 2026-03-09 00:00 x [Home] all-day"},
        {at(2026, 3, 7, 10), "sun 1:30am x", "2026-03-08 01:30 .. 2026-03-08 03:30 x [Home]"},
        {at(2026, 10, 31, 10), "sun x", "2026-11-01 00:00 .. 2026-11-02 00:00 x [Home] all-day"},
        // The first 1:30 (daylight time); one hour later the clock shows 1:30 again.
        {at(2026, 10, 31, 10), "sun 1:30am x", "2026-11-01 01:30 .. 2026-11-01 01:30 x [Home]"},
    };
    for (const auto& [reference, line, expected] : cases)
        EXPECT_EQ(maker.built(line, reference), expected) << line;
}

} // namespace
