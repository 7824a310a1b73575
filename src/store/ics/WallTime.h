#pragma once

#include <QtGlobal>

#include <compare>

// A clock reading without a zone: the fields an iCalendar date or date-time carries. Arithmetic runs on
// "local seconds", the seconds since 1970-01-01 00:00 of the same clock, so that nominal days and
// comparisons need no zone.
struct WallTime {
    int year = 1970;
    int month = 1; // 1-12
    int day = 1;   // 1-31
    int hour = 0;
    int minute = 0;
    int second = 0;

    auto operator<=>(const WallTime&) const = default;

    // Days since 1970-01-01 of the proleptic Gregorian calendar.
    constexpr qint64 dayNumber() const {
        const qint64 y = month <= 2 ? year - 1 : year;
        const qint64 era = (y >= 0 ? y : y - 399) / 400;
        const qint64 yearOfEra = y - era * 400;
        const qint64 dayOfYear = (153 * (month + (month > 2 ? -3 : 9)) + 2) / 5 + day - 1;
        const qint64 dayOfEra = yearOfEra * 365 + yearOfEra / 4 - yearOfEra / 100 + dayOfYear;
        return era * 146097 + dayOfEra - 719468;
    }
    constexpr qint64 localSeconds() const { return dayNumber() * 86400 + hour * 3600 + minute * 60 + second; }

    static constexpr WallTime fromLocalSeconds(qint64 seconds) {
        qint64 days = seconds / 86400;
        qint64 rest = seconds % 86400;
        if (rest < 0) {
            rest += 86400;
            --days;
        }
        const qint64 z = days + 719468;
        const qint64 era = (z >= 0 ? z : z - 146096) / 146097;
        const qint64 dayOfEra = z - era * 146097;
        const qint64 yearOfEra = (dayOfEra - dayOfEra / 1460 + dayOfEra / 36524 - dayOfEra / 146096) / 365;
        const qint64 dayOfYear = dayOfEra - (365 * yearOfEra + yearOfEra / 4 - yearOfEra / 100);
        const qint64 mp = (5 * dayOfYear + 2) / 153;
        const int month = int(mp < 10 ? mp + 3 : mp - 9);
        const int year = int(yearOfEra + era * 400 + (month <= 2 ? 1 : 0));
        return WallTime{year,
                        month,
                        int(dayOfYear - (153 * mp + 2) / 5 + 1),
                        int(rest / 3600),
                        int(rest % 3600 / 60),
                        int(rest % 60)};
    }

    constexpr WallTime addingDays(qint64 days) const {
        return fromLocalSeconds(localSeconds() + days * 86400);
    }
    constexpr WallTime startOfDay() const { return WallTime{year, month, day, 0, 0, 0}; }
};
