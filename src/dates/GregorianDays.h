#pragma once

#include <cstdint>

// Day numbers of the proleptic Gregorian calendar, counted from 1970-01-01, by integer arithmetic.
struct GregorianDays {
    struct Date {
        std::int64_t year;
        int month; // 1-12
        int day;   // 1-31
    };

    // `month` 1-12; `day` may lie outside the month and then counts on from its first day.
    static constexpr std::int64_t fromCivil(std::int64_t year, int month, int day) {
        year -= month <= 2;
        const std::int64_t era = (year >= 0 ? year : year - 399) / 400;
        const std::int64_t yearOfEra = year - era * 400;
        const std::int64_t dayOfYear = (153 * (month + (month > 2 ? -3 : 9)) + 2) / 5;
        const std::int64_t dayOfEra = yearOfEra * 365 + yearOfEra / 4 - yearOfEra / 100 + dayOfYear;
        return era * 146097 + dayOfEra - 719468 + (day - 1);
    }

    static constexpr Date toCivil(std::int64_t days) {
        days += 719468;
        const std::int64_t era = (days >= 0 ? days : days - 146096) / 146097;
        const std::int64_t dayOfEra = days - era * 146097;
        const std::int64_t yearOfEra =
            (dayOfEra - dayOfEra / 1460 + dayOfEra / 36524 - dayOfEra / 146096) / 365;
        const std::int64_t dayOfYear = dayOfEra - (365 * yearOfEra + yearOfEra / 4 - yearOfEra / 100);
        const std::int64_t shiftedMonth = (5 * dayOfYear + 2) / 153;
        const int day = int(dayOfYear - (153 * shiftedMonth + 2) / 5 + 1);
        const int month = int(shiftedMonth < 10 ? shiftedMonth + 3 : shiftedMonth - 9);
        return {yearOfEra + era * 400 + (month <= 2), month, day};
    }

    // 0 = Sunday ... 6 = Saturday.
    static constexpr int weekday(std::int64_t days) {
        const std::int64_t shifted = (days + 4) % 7;
        return int(shifted < 0 ? shifted + 7 : shifted);
    }
};
