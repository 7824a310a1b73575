#pragma once

#include "TimeOfDay.h"

#include <QDateTime>

#include <compare>

// An instant read in the default time zone with the Gregorian calendar. Field arithmetic is lenient:
// overflowing fields carry over (January 31 plus one month is February 31, which is March 3), and steps
// by days, months and years keep the wall-clock time across daylight-saving changes.
class CalendarDate {
public:
    CalendarDate() = default; // the epoch
    static CalendarDate now();
    static CalendarDate fromMSecsSinceEpoch(double msecs);
    static CalendarDate fromQDateTime(const QDateTime& moment);
    // month 1-12; any field may overflow and is carried leniently.
    static CalendarDate fromComponents(int year, int month, int day, int hour = 0, int minute = 0,
                                       int second = 0);
    // The day of `date` at the clock time `time`.
    static CalendarDate dateWithDate(const CalendarDate& date, TimeOfDay time);

    double msecsSinceEpoch() const { return m_msecs; }
    QDateTime toQDateTime() const; // in UTC

    // The fields below at once, cheaper than asking for them one by one.
    struct Fields {
        int year, month, day, hour, minute, second;
        int weekday; // 0 = Sunday ... 6 = Saturday
        int dayOfYear;
    };
    Fields fields() const;

    int year() const;
    int monthOfYear() const; // 1-12
    int dayOfMonth() const;  // 1-31
    int hourOfDay() const;
    int minuteOfHour() const;
    int secondOfMinute() const;
    int dayOfWeek() const; // 0 = Sunday ... 6 = Saturday
    int dayOfYear() const; // 1-366
    TimeOfDay timeOfDay() const;
    // The week-of-year number in a Gregorian calendar of the default locale; not counted from any era.
    int weekOfCommonEra() const;
    // Days counted from the first day of the common era (January 1 of year 1 is day 1).
    int dayOfCommonEra() const;
    // The first weekday of the default locale's calendar, 1 = Sunday ... 7 = Saturday.
    static int firstWeekday();

    // Adds to the fields and rebuilds; hours, minutes and seconds that overflow carry into days.
    CalendarDate dateByAdding(int years, int months, int days, int hours = 0, int minutes = 0,
                              int seconds = 0) const;
    CalendarDate dateByAddingDays(int days) const { return dateByAdding(0, 0, days); }
    CalendarDate dateByAddingMonths(int months) const { return dateByAdding(0, months, 0); }
    // Elapsed time, not calendar arithmetic.
    CalendarDate addingSeconds(double seconds) const {
        return fromMSecsSinceEpoch(m_msecs + seconds * 1000.0);
    }
    double secondsSince(const CalendarDate& other) const { return (m_msecs - other.m_msecs) / 1000.0; }

    CalendarDate addHour() const { return dateByAdding(0, 0, 0, 1); }
    CalendarDate addThreeHours() const { return dateByAdding(0, 0, 0, 3); }
    CalendarDate addSixHours() const { return dateByAdding(0, 0, 0, 6); }
    CalendarDate addDay() const { return dateByAdding(0, 0, 1); }
    CalendarDate addFiveDays() const { return dateByAdding(0, 0, 5); }
    CalendarDate addWeek() const { return dateByAdding(0, 0, 7); }
    CalendarDate addMonth() const { return dateByAdding(0, 1, 0); }
    CalendarDate addYear() const { return dateByAdding(1, 0, 0); }

    CalendarDate truncateToHour() const;
    CalendarDate truncateToThirdHour() const;
    CalendarDate truncateToSixthHour() const;
    CalendarDate truncateToDay() const;
    CalendarDate truncateToDayAt12() const;
    // Back to the nearest earlier day whose day of the year is 1, 6, 11, ...
    CalendarDate truncateToFifthDay() const;
    // Back to the nearest earlier (or the same) day that is `firstWeekday` (1 = Sunday).
    CalendarDate truncateToWeek(int firstWeekday = CalendarDate::firstWeekday()) const;
    CalendarDate truncateToMonth() const;
    CalendarDate truncateToYear() const;
    // True at 00:00:00.
    bool evenDay() const;

    auto operator<=>(const CalendarDate&) const = default;

private:
    explicit CalendarDate(double msecs) : m_msecs(msecs) {}
    double m_msecs = 0;
};
