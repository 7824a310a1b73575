#include "dates/CalendarDate.h"
#include "dates/DateEnvironment.h"

#include "DateEnvironmentGuard.h"
#include "TestSupport.h"

#include <gtest/gtest.h>

#include <unicode/gregocal.h>

#include <algorithm>
#include <cstdio>
#include <iterator>

namespace {

const QString NEW_YORK = QStringLiteral("America/New_York");

// "2026-03-08 09:30:15" in the default time zone.
std::string text(const CalendarDate& d) {
    char buffer[48];
    std::snprintf(buffer, sizeof buffer, "%04d-%02d-%02d %02d:%02d:%02d", d.year(), d.monthOfYear(),
                  d.dayOfMonth(), d.hourOfDay(), d.minuteOfHour(), d.secondOfMinute());
    return buffer;
}

void expectRows(std::initializer_list<std::pair<CalendarDate, const char*>> rows) {
    for (const auto& [date, expected] : rows)
        EXPECT_EQ(text(date), expected);
}

CalendarDate utc(int year, int month, int day, int hour, int minute = 0) {
    return CalendarDate::fromQDateTime(QDateTime(QDate(year, month, day), QTime(hour, minute), Qt::UTC));
}

TEST(CalendarDate, OverflowingFieldsCarryLeniently) {
    DateEnvironmentGuard env(NEW_YORK);
    expectRows({
        {at(2026, 1, 31).dateByAddingMonths(1), "2026-03-03 00:00:00"},
        {at(2026, 13, 1), "2027-01-01 00:00:00"},
        {at(2026, 3, 0), "2026-02-28 00:00:00"},
        {at(2026, 12, 31, 8).addDay(), "2027-01-01 08:00:00"},
        {at(2026, 1, 1, 23, 30).dateByAdding(0, 0, 0, 0, 45), "2026-01-02 00:15:00"},
        {at(1, 1, 1).dateByAddingDays(-1), "0000-12-31 00:00:00"}, // counts through year zero
    });
}

// Steps by days, weeks and months keep the clock time, and a fraction of a second, while 23 or 25 hours
// pass.
TEST(CalendarDate, CalendarStepsKeepClockTimeAcrossDaylightSaving) {
    using Step = CalendarDate (CalendarDate::*)() const;
    const std::tuple<const char*, int, int, Step, const char*, double> steps[] = {
        {"America/New_York", 3, 7, &CalendarDate::addDay, "2026-03-08 09:30:15", 23},
        {"America/New_York", 10, 31, &CalendarDate::addDay, "2026-11-01 09:30:15", 25},
        {"America/New_York", 3, 5, &CalendarDate::addWeek, "2026-03-12 09:30:15", 167},
        {"America/New_York", 2, 10, &CalendarDate::addMonth, "2026-03-10 09:30:15", 671},
        {"Europe/Berlin", 3, 28, &CalendarDate::addDay, "2026-03-29 09:30:15", 23},
        {"Europe/Berlin", 10, 24, &CalendarDate::addDay, "2026-10-25 09:30:15", 25},
    };
    for (const auto& [zone, month, day, step, expected, hours] : steps) {
        DateEnvironmentGuard env(QString::fromLatin1(zone));
        const CalendarDate start = at(2026, month, day, 9, 30, 15).addingSeconds(0.25);
        const CalendarDate end = (start.*step)();
        EXPECT_EQ(text(end), expected) << zone;
        EXPECT_DOUBLE_EQ(end.secondsSince(start), hours * 3600) << zone << ' ' << expected;
    }
}

TEST(CalendarDate, ClockTimesAroundDaylightSavingChanges) {
    DateEnvironmentGuard env(NEW_YORK);
    EXPECT_EQ(text(at(2026, 3, 7, 2, 30).addDay()), "2026-03-08 03:30:00"); // 2:30 is skipped
    const CalendarDate late = at(2026, 3, 8, 23, 10, 5);
    EXPECT_EQ(text(CalendarDate::dateWithDate(late, {9, 15, 30})), "2026-03-08 09:15:30");
    EXPECT_EQ(text(CalendarDate::dateWithDate(late, {0, 0, 0})), "2026-03-08 00:00:00");
    // 1:30 occurs twice on November 1; either way its hour starts no later than itself.
    for (const CalendarDate& oneThirty : {utc(2026, 11, 1, 5, 30), utc(2026, 11, 1, 6, 30)}) {
        ASSERT_EQ(oneThirty.hourOfDay(), 1);
        EXPECT_EQ(text(oneThirty.truncateToHour()), "2026-11-01 01:00:00");
        EXPECT_LE(oneThirty.truncateToHour(), oneThirty);
    }
    EXPECT_DOUBLE_EQ(at(2026, 11, 1, 0, 30).addHour().secondsSince(at(2026, 11, 1, 0, 30)), 3600);
    DateEnvironmentGuard berlin(QStringLiteral("Europe/Berlin"));
    const CalendarDate summerTwoThirty = utc(2026, 10, 25, 0, 30);
    ASSERT_EQ(summerTwoThirty.hourOfDay(), 2);
    EXPECT_LE(summerTwoThirty.truncateToHour(), summerTwoThirty);
}

TEST(CalendarDate, Truncations) {
    DateEnvironmentGuard env(NEW_YORK);
    const CalendarDate wed = at(2026, 1, 14, 17, 47, 23).addingSeconds(0.5);
    EXPECT_DOUBLE_EQ(wed.secondsSince(wed.truncateToHour()), 47 * 60 + 23.5);
    expectRows({
        {wed.truncateToThirdHour(), "2026-01-14 15:00:00"},
        {at(2026, 1, 14, 23, 59).truncateToThirdHour(), "2026-01-14 21:00:00"},
        {wed.truncateToSixthHour(), "2026-01-14 12:00:00"},
        {wed.truncateToDay(), "2026-01-14 00:00:00"},
        {wed.truncateToDayAt12(), "2026-01-14 12:00:00"},
        {wed.truncateToMonth(), "2026-01-01 00:00:00"},
        {at(2026, 8, 20, 6).truncateToYear(), "2026-01-01 00:00:00"},
        {at(2026, 1, 10, 7).truncateToFifthDay(), "2026-01-06 00:00:00"},
        {at(2026, 3, 1).truncateToFifthDay(), "2026-02-25 00:00:00"},
        {at(2024, 12, 31).truncateToFifthDay(), "2024-12-31 00:00:00"}, // day 366
        {at(2026, 1, 11, 9).truncateToWeek(1), "2026-01-11 00:00:00"},  // Sunday, weeks from Sunday
        {at(2026, 1, 11, 9).truncateToWeek(2), "2026-01-05 00:00:00"},  // Sunday, weeks from Monday
        {at(2026, 1, 1, 9).truncateToWeek(1), "2025-12-28 00:00:00"},
        {at(2026, 1, 2, 9).truncateToWeek(7), "2025-12-27 00:00:00"},
    });
    EXPECT_TRUE(at(2026, 5, 4).evenDay());
    for (const CalendarDate& notMidnight :
         {at(2026, 5, 4, 0, 0, 1), at(2026, 5, 4, 0, 1), at(2026, 5, 4, 12)})
        EXPECT_FALSE(notMidnight.evenDay()) << text(notMidnight);
}

TEST(CalendarDate, LocaleDecidesWeeks) {
    const std::tuple<const char*, int, int, int, int, const char*> weeks[] = {
        {"en_US", 2025, 12, 28, 1, "2025-12-28 00:00:00"}, {"en_US", 2026, 1, 4, 2, "2026-01-04 00:00:00"},
        {"en_US", 2027, 1, 1, 1, "2026-12-27 00:00:00"},   {"de_DE", 2025, 12, 28, 52, "2025-12-22 00:00:00"},
        {"de_DE", 2026, 1, 1, 1, "2025-12-29 00:00:00"},   {"de_DE", 2027, 1, 1, 53, "2026-12-28 00:00:00"},
    };
    for (const auto& [locale, year, month, day, week, start] : weeks) {
        DateEnvironmentGuard env(NEW_YORK, QString::fromLatin1(locale));
        const CalendarDate date = at(year, month, day, 9);
        EXPECT_EQ(date.weekOfCommonEra(), week) << locale << ' ' << text(date);
        EXPECT_EQ(text(date.truncateToWeek()), start) << locale;
    }
}

TEST(CalendarDate, FollowsTheCurrentZoneAndIgnoresUnknownOnes) {
    const CalendarDate instant = utc(2026, 7, 1, 16);
    const std::tuple<const char*, const char*, int> readings[] = {
        {"America/New_York", "2026-07-01 12:00:00", -4},
        {"Asia/Tokyo", "2026-07-02 01:00:00", 9},
        {"Europe/Berlin", "2026-07-01 18:00:00", 2}};
    for (const auto& [zone, reading, offsetHours] : readings) {
        DateEnvironmentGuard env(QString::fromLatin1(zone));
        EXPECT_EQ(text(instant), reading) << zone;
        // Building from fields follows the zone as well.
        EXPECT_EQ(at(2026, 7, 1, 16).secondsSince(instant), -offsetHours * 3600.0) << zone;
    }
    DateEnvironmentGuard env(QStringLiteral("Europe/Berlin"));
    for (const char* id : {"Mars/Olympus", "", "America/NewYork"}) {
        EXPECT_FALSE(DateEnvironment::setTimeZone(QString::fromLatin1(id))) << id;
        EXPECT_EQ(DateEnvironment::timeZoneId(), QStringLiteral("Europe/Berlin")) << id;
        EXPECT_EQ(text(instant), "2026-07-01 18:00:00") << id;
    }
}

// The fields and the lenient dates are worked out without ICU's calendar where they can be; they must
// be ICU's own answers everywhere, near transitions, in zones with odd steps, before the Gregorian
// calendar's first full year and with fractions of a second.
TEST(CalendarDate, FieldsAndLenientDatesAreThoseOfIcusCalendar) {
    for (const char* zone : {"America/New_York", "Australia/Lord_Howe", "Pacific/Apia", "Asia/Kolkata",
                             "America/Santiago", "Europe/Paris", "UTC"}) {
        DateEnvironmentGuard env(QString::fromLatin1(zone));
        UErrorCode status = U_ZERO_ERROR;
        icu::GregorianCalendar icu(status);
        icu.setLenient(true);
        icu.setRepeatedWallTimeOption(UCAL_WALLTIME_FIRST);
        ASSERT_TRUE(U_SUCCESS(status));
        const auto get = [&](UCalendarDateFields field) { return icu.get(field, status); };
        // About 23 hours and 17 minutes apart, so that every hour of the day and both sides of each
        // transition come up, from 1580 on.
        for (double msecs = -12'390'000'000'000.0; msecs < 4'200'000'000'000.0; msecs += 83'820'250.5) {
            const CalendarDate date = CalendarDate::fromMSecsSinceEpoch(msecs);
            icu.setTime(msecs, status);
            const CalendarDate::Fields f = date.fields();
            const int expected[] = {get(UCAL_EXTENDED_YEAR),   get(UCAL_MONTH) + 1,  get(UCAL_DAY_OF_MONTH),
                                    get(UCAL_HOUR_OF_DAY),     get(UCAL_MINUTE),     get(UCAL_SECOND),
                                    get(UCAL_DAY_OF_WEEK) - 1, get(UCAL_DAY_OF_YEAR)};
            const int actual[] = {f.year, f.month, f.day, f.hour, f.minute, f.second, f.weekday, f.dayOfYear};
            ASSERT_TRUE(std::equal(std::begin(actual), std::end(actual), std::begin(expected)))
                << zone << ' ' << text(date);
            // Lenient fields, with carries, and clock times that may be skipped or repeated.
            const int day = f.day + int(std::int64_t(msecs / 1000) % 40) - 20,
                      hour = f.hour % 5 == 0 ? f.hour + 30 : f.hour;
            icu.clear();
            icu.set(f.year, f.month + 11, day, hour, f.minute, f.second);
            ASSERT_EQ(CalendarDate::fromComponents(f.year, f.month + 12, day, hour, f.minute, f.second)
                          .msecsSinceEpoch(),
                      icu.getTime(status))
                << zone << ' ' << text(date);
        }
    }
}

// Whatever dates were asked about before, a clock time that occurs twice means its first occurrence, and
// one that is skipped counts on from the clock time before the change.
TEST(CalendarDate, RepeatedAndSkippedClockTimesDoNotDependOnEarlierDates) {
    DateEnvironmentGuard env(NEW_YORK);
    for (const CalendarDate& earlier : {utc(2026, 12, 1, 12), utc(2026, 7, 1, 12), utc(2026, 3, 9, 12)}) {
        (void)earlier.fields();
        (void)CalendarDate::fromComponents(2026, earlier.monthOfYear(), 15, 12);
        EXPECT_EQ(at(2026, 11, 1, 1, 30), utc(2026, 11, 1, 5, 30)) << text(earlier);
        EXPECT_EQ(at(2026, 3, 8, 2, 30), utc(2026, 3, 8, 7, 30)) << text(earlier);
    }
}

} // namespace
