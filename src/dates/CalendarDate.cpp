#include "CalendarDate.h"

#include "DateEnvironment.h"
#include "GregorianDays.h"
#include "ZoneOffsets.h"

#include <unicode/gregocal.h>

#include <algorithm>
#include <array>
#include <chrono>
#include <cmath>
#include <memory>
#include <optional>

namespace {

// One lenient Gregorian calendar in the default zone and locale, reused by every date: creating an ICU
// calendar costs far more than the arithmetic itself. Rebuilt when the zone or locale changes.
class SharedCalendar {
public:
    static icu::Calendar& at(double msecs) {
        SharedCalendar& shared = instance();
        if (!shared.m_hasTime || shared.m_msecs != msecs) {
            UErrorCode status = U_ZERO_ERROR;
            shared.m_calendar->setTime(msecs, status);
            shared.m_msecs = msecs;
            shared.m_hasTime = true;
        }
        return *shared.m_calendar;
    }

    static icu::Calendar& blank() {
        SharedCalendar& shared = instance();
        shared.m_calendar->clear();
        shared.m_hasTime = false;
        return *shared.m_calendar;
    }

    static double timeOf(icu::Calendar& calendar) {
        UErrorCode status = U_ZERO_ERROR;
        const double msecs = calendar.getTime(status);
        SharedCalendar& shared = instance();
        shared.m_msecs = msecs;
        shared.m_hasTime = U_SUCCESS(status);
        return msecs;
    }

private:
    static SharedCalendar& instance() {
        static SharedCalendar shared;
        if (shared.m_generation != DateEnvironment::generation())
            shared.rebuild();
        return shared;
    }

    void rebuild() {
        UErrorCode status = U_ZERO_ERROR;
        m_calendar = std::make_unique<icu::GregorianCalendar>(status);
        m_calendar->setLenient(true);
        // A clock time that occurs twice on a fall-back day means its first occurrence, so that
        // truncating never lands after the date truncated (1:30 EDT to the hour is 1:00 EDT, not EST).
        m_calendar->setRepeatedWallTimeOption(UCAL_WALLTIME_FIRST);
        m_generation = DateEnvironment::generation();
        m_hasTime = false;
    }

    std::unique_ptr<icu::Calendar> m_calendar;
    std::uint64_t m_generation = 0;
    double m_msecs = 0;
    bool m_hasTime = false;
};

int field(double msecs, UCalendarDateFields which) {
    UErrorCode status = U_ZERO_ERROR;
    return SharedCalendar::at(msecs).get(which, status);
}

// The common fields are worked out here rather than by ICU's calendar, which recomputes all its fields for
// every other date, at a cost far above the arithmetic. The results are ICU's: the same day boundaries
// and zone offsets, proleptic Gregorian where ICU's calendar is Gregorian (from 1583 on; before, it is
// Julian and ICU answers), and within a range of years where no ICU field overflows.
constexpr double DAY_MSECS = 86400000.0;
constexpr std::int64_t FIRST_DAY = GregorianDays::fromCivil(1583, 1, 1);
constexpr std::int64_t LAST_DAY = GregorianDays::fromCivil(200000, 1, 1);

using Fields = CalendarDate::Fields;

std::optional<Fields> arithmeticFields(double msecs) {
    if (!(msecs > double(FIRST_DAY) * DAY_MSECS && msecs < double(LAST_DAY) * DAY_MSECS))
        return std::nullopt;
    const double local = msecs + ZoneOffsets::atUtc(msecs);
    // As ICU divides: a floored day number, then the milliseconds into that day truncated.
    const double dayNumber = std::floor(local / DAY_MSECS);
    if (dayNumber < double(FIRST_DAY))
        return std::nullopt;
    const auto days = std::int64_t(dayNumber);
    const auto millisInDay = std::int64_t(local - double(days) * DAY_MSECS);
    if (millisInDay < 0 || millisInDay >= std::int64_t(DAY_MSECS))
        return std::nullopt;
    const GregorianDays::Date date = GregorianDays::toCivil(days);
    const auto secondsInDay = int(millisInDay / 1000);
    return Fields{int(date.year),
                  date.month,
                  date.day,
                  secondsInDay / 3600,
                  secondsInDay / 60 % 60,
                  secondsInDay % 60,
                  GregorianDays::weekday(days),
                  int(days - GregorianDays::fromCivil(date.year, 1, 1)) + 1};
}

// The fields of the last few instants asked for: a line's dates are read field by field by several
// callers in turn (its parts, its description, its text). Dropped when the zone or locale changes.
class RecentFields {
public:
    const Fields* find(double msecs) {
        if (m_generation != DateEnvironment::generation()) {
            m_count = 0;
            m_next = 0;
            m_generation = DateEnvironment::generation();
        }
        for (int i = 0; i < m_count; ++i) {
            if (m_entries[size_t(i)].msecs == msecs)
                return &m_entries[size_t(i)].fields;
        }
        return nullptr;
    }

    void keep(double msecs, const Fields& fields) {
        m_entries[size_t(m_next)] = {msecs, fields};
        m_next = (m_next + 1) % int(m_entries.size());
        m_count = std::min(m_count + 1, int(m_entries.size()));
    }

private:
    struct Entry {
        double msecs;
        Fields fields;
    };
    std::array<Entry, 4> m_entries{};
    int m_count = 0;
    int m_next = 0;
    std::uint64_t m_generation = 0;
};

Fields fieldsOf(double msecs) {
    static RecentFields recent;
    if (const Fields* known = recent.find(msecs))
        return *known;
    if (const std::optional<Fields> fields = arithmeticFields(msecs)) {
        recent.keep(msecs, *fields);
        return *fields;
    }
    // Years before the common era count down in ICU's YEAR field; the extended year counts through zero.
    return {field(msecs, UCAL_EXTENDED_YEAR),   field(msecs, UCAL_MONTH) + 1,
            field(msecs, UCAL_DAY_OF_MONTH),    field(msecs, UCAL_HOUR_OF_DAY),
            field(msecs, UCAL_MINUTE),          field(msecs, UCAL_SECOND),
            field(msecs, UCAL_DAY_OF_WEEK) - 1, field(msecs, UCAL_DAY_OF_YEAR)};
}

// The instant of lenient fields as ICU's lenient calendar resolves them (months and days carried, the
// clock time added to the day's start in milliseconds), when that is plain arithmetic: a Gregorian day
// well away from the zone's transitions, where a wall time is neither skipped nor repeated.
std::optional<double> arithmeticTime(int year, int month, int day, int hour, int minute, int second) {
    const int monthIndex = month - 1;
    const int yearCarry = monthIndex >= 0 ? monthIndex / 12 : -((11 - monthIndex) / 12);
    const std::int64_t fullYear = std::int64_t(year) + yearCarry;
    if (fullYear < 1583 || fullYear > 199000)
        return std::nullopt;
    const std::int64_t days =
        GregorianDays::fromCivil(fullYear, monthIndex - yearCarry * 12 + 1, 1) + std::int64_t(day) - 1;
    if (days < FIRST_DAY || days >= LAST_DAY)
        return std::nullopt;
    double millisInDay = hour;
    millisInDay = ((millisInDay * 60 + minute) * 60 + second) * 1000;
    return ZoneOffsets::utcOfWallTime(double(days) * DAY_MSECS + millisInDay);
}

} // namespace

CalendarDate CalendarDate::now() {
    using namespace std::chrono;
    return CalendarDate(double(duration_cast<milliseconds>(system_clock::now().time_since_epoch()).count()));
}

CalendarDate CalendarDate::fromMSecsSinceEpoch(double msecs) {
    return CalendarDate(msecs);
}

CalendarDate CalendarDate::fromQDateTime(const QDateTime& moment) {
    return CalendarDate(double(moment.toMSecsSinceEpoch()));
}

CalendarDate CalendarDate::fromComponents(int year, int month, int day, int hour, int minute, int second) {
    if (const std::optional<double> msecs = arithmeticTime(year, month, day, hour, minute, second))
        return CalendarDate(*msecs);
    icu::Calendar& calendar = SharedCalendar::blank();
    calendar.set(year, month - 1, day, hour, minute, second);
    return CalendarDate(SharedCalendar::timeOf(calendar));
}

CalendarDate CalendarDate::dateWithDate(const CalendarDate& date, TimeOfDay time) {
    const Fields f = date.fields();
    return fromComponents(f.year, f.month, f.day, time.hour, time.minute, time.second);
}

QDateTime CalendarDate::toQDateTime() const {
    return QDateTime::fromMSecsSinceEpoch(qint64(std::llround(m_msecs)), Qt::UTC);
}

CalendarDate::Fields CalendarDate::fields() const {
    return fieldsOf(m_msecs);
}

int CalendarDate::year() const {
    return fieldsOf(m_msecs).year;
}

int CalendarDate::monthOfYear() const {
    return fieldsOf(m_msecs).month;
}

int CalendarDate::dayOfMonth() const {
    return fieldsOf(m_msecs).day;
}

int CalendarDate::hourOfDay() const {
    return fieldsOf(m_msecs).hour;
}

int CalendarDate::minuteOfHour() const {
    return fieldsOf(m_msecs).minute;
}

int CalendarDate::secondOfMinute() const {
    return fieldsOf(m_msecs).second;
}

int CalendarDate::dayOfWeek() const {
    return fieldsOf(m_msecs).weekday;
}

int CalendarDate::dayOfYear() const {
    return fieldsOf(m_msecs).dayOfYear;
}

TimeOfDay CalendarDate::timeOfDay() const {
    const Fields fields = fieldsOf(m_msecs);
    return {fields.hour, fields.minute, fields.second};
}

int CalendarDate::weekOfCommonEra() const {
    return field(m_msecs, UCAL_WEEK_OF_YEAR);
}

int CalendarDate::dayOfCommonEra() const {
    // The Julian day number of December 31 of year 0 in ICU's calendar (Julian before October 1582).
    constexpr int JULIAN_DAY_BEFORE_COMMON_ERA = 1721423;
    return field(m_msecs, UCAL_JULIAN_DAY) - JULIAN_DAY_BEFORE_COMMON_ERA;
}

int CalendarDate::firstWeekday() {
    UErrorCode status = U_ZERO_ERROR;
    return int(SharedCalendar::at(0).getFirstDayOfWeek(status));
}

CalendarDate CalendarDate::dateByAdding(int years, int months, int days, int hours, int minutes,
                                        int seconds) const {
    const Fields f = fieldsOf(m_msecs);
    const double fraction = m_msecs - std::floor(m_msecs / 1000.0) * 1000.0;
    return fromComponents(f.year + years, f.month + months, f.day + days, f.hour + hours, f.minute + minutes,
                          f.second + seconds)
        .addingSeconds(fraction / 1000.0);
}

CalendarDate CalendarDate::truncateToHour() const {
    const Fields f = fields();
    return fromComponents(f.year, f.month, f.day, f.hour);
}

CalendarDate CalendarDate::truncateToThirdHour() const {
    const Fields f = fields();
    return fromComponents(f.year, f.month, f.day, f.hour - f.hour % 3);
}

CalendarDate CalendarDate::truncateToSixthHour() const {
    const Fields f = fields();
    return fromComponents(f.year, f.month, f.day, f.hour - f.hour % 6);
}

CalendarDate CalendarDate::truncateToDay() const {
    const Fields f = fields();
    return fromComponents(f.year, f.month, f.day);
}

CalendarDate CalendarDate::truncateToDayAt12() const {
    const Fields f = fields();
    return fromComponents(f.year, f.month, f.day, 12);
}

CalendarDate CalendarDate::truncateToFifthDay() const {
    const Fields f = fields();
    return fromComponents(f.year, f.month, f.day - (f.dayOfYear - 1) % 5);
}

CalendarDate CalendarDate::truncateToWeek(int firstWeekday) const {
    const Fields f = fields();
    const int back = ((f.weekday + 1 - firstWeekday) % 7 + 7) % 7;
    return fromComponents(f.year, f.month, f.day - back);
}

CalendarDate CalendarDate::truncateToMonth() const {
    const Fields f = fields();
    return fromComponents(f.year, f.month, 1);
}

CalendarDate CalendarDate::truncateToYear() const {
    return fromComponents(year(), 1, 1);
}

bool CalendarDate::evenDay() const {
    const Fields f = fields();
    return f.hour == 0 && f.minute == 0 && f.second == 0;
}
