#pragma once

#include "dates/CalendarDate.h"
#include "dates/TimeOfDay.h"

// A date word of the entry language before it is resolved: it names a day only relative to the moment
// of typing. Resolution takes the next matching day at or after the reference, never one in the past,
// except for offsets, which count from the reference day as they are.
class DateDescription {
public:
    enum Kind {
        DayOfWeek = 1,         // the next such weekday
        DayOfMonth = 2,        // the next such day of a month
        DayOfWeekNextWeek = 3, // that weekday, but not in the reference's week
        DayOffset = 4,         // n days after the reference day
        MonthOffset = 5,       // n months after the reference day
        Absolute = 6,          // that month and day, this year or next
    };

    static DateDescription dayOfWeek(int dayOfWeek);   // 0 = Sunday ... 6 = Saturday
    static DateDescription dayOfMonth(int dayOfMonth); // 1-31
    static DateDescription dayOfWeekNextWeek(int dayOfWeek);
    static DateDescription dayOffset(int days);
    static DateDescription monthOffset(int months);
    static DateDescription absolute(int monthIndex, int day); // monthIndex 0 = January ... 11

    // The described day at clock time `time`, resolved against `reference`.
    CalendarDate dateWithTime(TimeOfDay time, const CalendarDate& reference) const;
    // The described day at 00:00, resolved against the start of the reference's day.
    CalendarDate dateWithReferenceDate(const CalendarDate& reference) const;

    int type() const { return m_type; }
    int dayOfWeek() const { return m_dayOfWeek; }
    int dayOffset() const { return m_dayOffset; }
    int monthOffset() const { return m_monthOffset; }
    int year() const { return m_year; }
    int month() const { return m_month; }
    int day() const { return m_day; }

    bool operator==(const DateDescription&) const = default;

private:
    explicit DateDescription(Kind type) : m_type(type) {}

    CalendarDate nextDayOfWeek(TimeOfDay time, const CalendarDate& reference) const;

    int m_type;
    int m_dayOfWeek = 0;
    int m_dayOffset = 0;
    int m_monthOffset = 0;
    int m_year = 0;
    int m_month = 0;
    int m_day = 0;
};
