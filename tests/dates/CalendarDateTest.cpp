#include "dates/CalendarDate.h"
#include "dates/DateEnvironment.h"

#include "DateEnvironmentGuard.h"

#include <gtest/gtest.h>

#include <ostream>

namespace {

struct Fields {
    int year, month, day, hour = 0, minute = 0, second = 0;
    bool operator==(const Fields&) const = default;
};

std::ostream& operator<<(std::ostream& out, const Fields& f) {
    return out << f.year << '-' << f.month << '-' << f.day << ' ' << f.hour << ':' << f.minute << ':'
               << f.second;
}

Fields fieldsOf(const CalendarDate& d) {
    return {d.year(), d.monthOfYear(), d.dayOfMonth(), d.hourOfDay(), d.minuteOfHour(), d.secondOfMinute()};
}

CalendarDate local(const Fields& f) {
    return CalendarDate::fromComponents(f.year, f.month, f.day, f.hour, f.minute, f.second);
}

CalendarDate utc(int year, int month, int day, int hour, int minute = 0) {
    return CalendarDate::fromQDateTime(QDateTime(QDate(year, month, day), QTime(hour, minute), Qt::UTC));
}

struct Case {
    const char* what;
    CalendarDate actual;
    Fields expected;
};

void expectAll(const std::vector<Case>& cases) {
    for (const Case& c : cases)
        EXPECT_EQ(fieldsOf(c.actual), c.expected) << c.what;
}

TEST(CalendarDate, OverflowingFieldsCarryLeniently) {
    DateEnvironmentGuard env(QStringLiteral("America/New_York"));
    expectAll({
        {"Jan 31 + 1 month", local({2026, 1, 31}).dateByAddingMonths(1), {2026, 3, 3}},
        {"Jan 31 + 1 month, leap year", local({2024, 1, 31}).dateByAddingMonths(1), {2024, 3, 2}},
        {"June 31", local({2026, 6, 31}), {2026, 7, 1}},
        {"month 13", local({2026, 13, 1}), {2027, 1, 1}},
        {"day 0", local({2026, 3, 0}), {2026, 2, 28}},
        {"Dec 31 + 1 day", local({2026, 12, 31, 8}).addDay(), {2027, 1, 1, 8}},
        {"Jan 15 - 1 month", local({2026, 1, 15}).dateByAddingMonths(-1), {2025, 12, 15}},
        {"Feb 29 + 1 year", local({2024, 2, 29}).addYear(), {2025, 3, 1}},
        {"minutes carry into the day",
         local({2026, 1, 1, 23, 30}).dateByAdding(0, 0, 0, 0, 45),
         {2026, 1, 2, 0, 15}},
        {"year 1 - 1 day counts through zero", local({1, 1, 1}).dateByAddingDays(-1), {0, 12, 31}},
    });
}

TEST(CalendarDate, CalendarStepsKeepClockTimeAcrossDaylightSaving) {
    struct Step {
        const char* zone;
        Fields start;
        CalendarDate (CalendarDate::*step)() const;
        Fields expected;
        double elapsedHours;
    };
    const Step steps[] = {
        {"America/New_York", {2026, 3, 7, 9, 30, 15}, &CalendarDate::addDay, {2026, 3, 8, 9, 30, 15}, 23},
        {"America/New_York", {2026, 10, 31, 9, 30, 15}, &CalendarDate::addDay, {2026, 11, 1, 9, 30, 15}, 25},
        {"America/New_York", {2026, 6, 10, 9, 30, 15}, &CalendarDate::addDay, {2026, 6, 11, 9, 30, 15}, 24},
        {"America/New_York", {2026, 3, 5, 9, 30, 15}, &CalendarDate::addWeek, {2026, 3, 12, 9, 30, 15}, 167},
        {"America/New_York",
         {2026, 2, 10, 9, 30, 15},
         &CalendarDate::addMonth,
         {2026, 3, 10, 9, 30, 15},
         671},
        {"Europe/Berlin", {2026, 3, 28, 9, 30, 15}, &CalendarDate::addDay, {2026, 3, 29, 9, 30, 15}, 23},
        {"Europe/Berlin", {2026, 10, 24, 9, 30, 15}, &CalendarDate::addDay, {2026, 10, 25, 9, 30, 15}, 25},
    };
    for (const Step& s : steps) {
        DateEnvironmentGuard env(QString::fromLatin1(s.zone));
        // A fraction of a second must survive the rebuild too.
        const CalendarDate start = local(s.start).addingSeconds(0.25);
        const CalendarDate end = (start.*s.step)();
        EXPECT_EQ(fieldsOf(end), s.expected) << s.zone;
        EXPECT_DOUBLE_EQ(end.secondsSince(start), s.elapsedHours * 3600) << s.zone;
    }
}

TEST(CalendarDate, ClockTimesAroundDaylightSavingChanges) {
    DateEnvironmentGuard env(QStringLiteral("America/New_York"));
    // 2:30 does not exist on March 8: it moves past the gap.
    EXPECT_EQ(fieldsOf(local({2026, 3, 7, 2, 30}).addDay()), (Fields{2026, 3, 8, 3, 30}));
    // 1:30 occurs twice on November 1; either way the hour starts no later than the date itself.
    for (const CalendarDate& oneThirty : {utc(2026, 11, 1, 5, 30), utc(2026, 11, 1, 6, 30)}) {
        ASSERT_EQ(oneThirty.hourOfDay(), 1);
        const CalendarDate hour = oneThirty.truncateToHour();
        EXPECT_EQ(fieldsOf(hour), (Fields{2026, 11, 1, 1}));
        EXPECT_LE(hour, oneThirty);
    }
    EXPECT_DOUBLE_EQ(local({2026, 11, 1, 0, 30}).addHour().secondsSince(local({2026, 11, 1, 0, 30})), 3600);

    DateEnvironmentGuard berlin(QStringLiteral("Europe/Berlin"));
    const CalendarDate summerTwoThirty = utc(2026, 10, 25, 0, 30);
    ASSERT_EQ(summerTwoThirty.hourOfDay(), 2);
    EXPECT_LE(summerTwoThirty.truncateToHour(), summerTwoThirty);
}

TEST(CalendarDate, Truncations) {
    DateEnvironmentGuard env(QStringLiteral("America/New_York"));
    const CalendarDate wed = local({2026, 1, 14, 17, 47, 23}).addingSeconds(0.5);
    expectAll({
        {"hour", wed.truncateToHour(), {2026, 1, 14, 17}},
        {"third hour", wed.truncateToThirdHour(), {2026, 1, 14, 15}},
        {"third hour at 23:59", local({2026, 1, 14, 23, 59}).truncateToThirdHour(), {2026, 1, 14, 21}},
        {"third hour at 0:10", local({2026, 1, 14, 0, 10}).truncateToThirdHour(), {2026, 1, 14, 0}},
        {"sixth hour", wed.truncateToSixthHour(), {2026, 1, 14, 12}},
        {"sixth hour at 5:59", local({2026, 1, 14, 5, 59}).truncateToSixthHour(), {2026, 1, 14, 0}},
        {"day", wed.truncateToDay(), {2026, 1, 14}},
        {"day at 12", wed.truncateToDayAt12(), {2026, 1, 14, 12}},
        {"month", wed.truncateToMonth(), {2026, 1, 1}},
        {"year", local({2026, 8, 20, 6}).truncateToYear(), {2026, 1, 1}},
        {"fifth day, Jan 1", local({2026, 1, 1, 7}).truncateToFifthDay(), {2026, 1, 1}},
        {"fifth day, Jan 10", local({2026, 1, 10, 7}).truncateToFifthDay(), {2026, 1, 6}},
        {"fifth day, Mar 1 back into Feb", local({2026, 3, 1}).truncateToFifthDay(), {2026, 2, 25}},
        {"fifth day, Dec 31 of a leap year", local({2024, 12, 31}).truncateToFifthDay(), {2024, 12, 31}},
        {"week, Sunday from Sunday", local({2026, 1, 11, 9}).truncateToWeek(1), {2026, 1, 11}},
        {"week, Sunday from Monday", local({2026, 1, 11, 9}).truncateToWeek(2), {2026, 1, 5}},
        {"week, Saturday from Monday", local({2026, 1, 17, 9}).truncateToWeek(2), {2026, 1, 12}},
        {"week, Thursday Jan 1 from Sunday", local({2026, 1, 1, 9}).truncateToWeek(1), {2025, 12, 28}},
        {"week, Friday from Saturday", local({2026, 1, 2, 9}).truncateToWeek(7), {2025, 12, 27}},
    });
    EXPECT_DOUBLE_EQ(wed.secondsSince(wed.truncateToHour()), 47 * 60 + 23.5);
}

TEST(CalendarDate, WeekTruncationFollowsTheLocalesFirstWeekday) {
    DateEnvironmentGuard us(QStringLiteral("America/New_York"), QStringLiteral("en_US"));
    EXPECT_EQ(CalendarDate::firstWeekday(), 1);
    EXPECT_EQ(fieldsOf(local({2026, 1, 11, 9}).truncateToWeek()), (Fields{2026, 1, 11}));
    DateEnvironmentGuard de(QStringLiteral("America/New_York"), QStringLiteral("de_DE"));
    EXPECT_EQ(CalendarDate::firstWeekday(), 2);
    EXPECT_EQ(fieldsOf(local({2026, 1, 11, 9}).truncateToWeek()), (Fields{2026, 1, 5}));
}

TEST(CalendarDate, EvenDayOnlyAtMidnight) {
    DateEnvironmentGuard env(QStringLiteral("America/New_York"));
    EXPECT_TRUE(local({2026, 5, 4}).evenDay());
    for (const Fields& f : {Fields{2026, 5, 4, 0, 0, 1}, Fields{2026, 5, 4, 0, 1}, Fields{2026, 5, 4, 12}})
        EXPECT_FALSE(local(f).evenDay()) << f;
}

TEST(CalendarDate, WeekOfYearFollowsTheLocalesRules) {
    struct Week {
        const char* locale;
        Fields day;
        int week;
    };
    const Week weeks[] = {
        {"en_US", {2025, 12, 28}, 1},  {"en_US", {2026, 1, 4}, 2}, {"en_US", {2027, 1, 1}, 1},
        {"de_DE", {2025, 12, 28}, 52}, {"de_DE", {2026, 1, 1}, 1}, {"de_DE", {2027, 1, 1}, 53},
    };
    for (const Week& w : weeks) {
        DateEnvironmentGuard env(QStringLiteral("America/New_York"), QString::fromLatin1(w.locale));
        EXPECT_EQ(local(w.day).weekOfCommonEra(), w.week) << w.locale << ' ' << w.day;
    }
}

TEST(CalendarDate, DateWithDateJoinsDayAndClockTime) {
    DateEnvironmentGuard env(QStringLiteral("America/New_York"));
    const CalendarDate lateOnChangeDay = local({2026, 3, 8, 23, 10, 5});
    EXPECT_EQ(fieldsOf(CalendarDate::dateWithDate(lateOnChangeDay, {9, 15, 30})),
              (Fields{2026, 3, 8, 9, 15, 30}));
    EXPECT_EQ(fieldsOf(CalendarDate::dateWithDate(lateOnChangeDay, {0, 0, 0})), (Fields{2026, 3, 8}));
}

TEST(CalendarDate, ReadsTheSameInstantInTheCurrentZone) {
    const CalendarDate instant = utc(2026, 7, 1, 16);
    struct Reading {
        const char* zone;
        int day, hour, utcOffsetHours;
    };
    const Reading readings[] = {{"America/New_York", 1, 12, -4},
                                {"Europe/Berlin", 1, 18, 2},
                                {"Asia/Tokyo", 2, 1, 9},
                                {"America/New_York", 1, 12, -4}};
    for (const Reading& r : readings) {
        DateEnvironmentGuard env(QString::fromLatin1(r.zone));
        EXPECT_EQ(instant.dayOfMonth(), r.day) << r.zone;
        EXPECT_EQ(instant.hourOfDay(), r.hour) << r.zone;
        // Building from fields follows the zone as well: 16:00 here is 16:00 UTC shifted by the offset.
        EXPECT_EQ(CalendarDate::fromComponents(2026, 7, 1, 16).secondsSince(instant),
                  -r.utcOffsetHours * 3600.0)
            << r.zone;
    }
}

TEST(CalendarDate, UnknownZoneChangesNothing) {
    DateEnvironmentGuard env(QStringLiteral("Europe/Berlin"));
    const CalendarDate instant = utc(2026, 7, 1, 16);
    ASSERT_EQ(instant.hourOfDay(), 18);
    for (const char* id : {"Mars/Olympus", "", "America/NewYork"}) {
        EXPECT_FALSE(DateEnvironment::setTimeZone(QString::fromLatin1(id))) << id;
        EXPECT_EQ(DateEnvironment::timeZoneId(), QStringLiteral("Europe/Berlin")) << id;
        EXPECT_EQ(instant.hourOfDay(), 18) << id;
    }
}

} // namespace
