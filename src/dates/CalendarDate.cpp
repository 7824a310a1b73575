#include "CalendarDate.h"

#include "DateEnvironment.h"

#include <unicode/gregocal.h>

#include <chrono>
#include <cmath>
#include <memory>

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
    icu::Calendar& calendar = SharedCalendar::blank();
    calendar.set(year, month - 1, day, hour, minute, second);
    return CalendarDate(SharedCalendar::timeOf(calendar));
}

CalendarDate CalendarDate::dateWithDate(const CalendarDate& date, TimeOfDay time) {
    return fromComponents(date.year(), date.monthOfYear(), date.dayOfMonth(), time.hour, time.minute,
                          time.second);
}

QDateTime CalendarDate::toQDateTime() const {
    return QDateTime::fromMSecsSinceEpoch(qint64(std::llround(m_msecs)), Qt::UTC);
}

int CalendarDate::year() const {
    // Years before the common era count down in ICU's YEAR field; the extended year counts through zero.
    return field(m_msecs, UCAL_EXTENDED_YEAR);
}

int CalendarDate::monthOfYear() const {
    return field(m_msecs, UCAL_MONTH) + 1;
}

int CalendarDate::dayOfMonth() const {
    return field(m_msecs, UCAL_DAY_OF_MONTH);
}

int CalendarDate::hourOfDay() const {
    return field(m_msecs, UCAL_HOUR_OF_DAY);
}

int CalendarDate::minuteOfHour() const {
    return field(m_msecs, UCAL_MINUTE);
}

int CalendarDate::secondOfMinute() const {
    return field(m_msecs, UCAL_SECOND);
}

int CalendarDate::dayOfWeek() const {
    return field(m_msecs, UCAL_DAY_OF_WEEK) - 1;
}

int CalendarDate::dayOfYear() const {
    return field(m_msecs, UCAL_DAY_OF_YEAR);
}

TimeOfDay CalendarDate::timeOfDay() const {
    return {hourOfDay(), minuteOfHour(), secondOfMinute()};
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
    const int y = year(), mo = monthOfYear(), d = dayOfMonth();
    const int h = hourOfDay(), mi = minuteOfHour(), s = secondOfMinute();
    const double fraction = m_msecs - std::floor(m_msecs / 1000.0) * 1000.0;
    return fromComponents(y + years, mo + months, d + days, h + hours, mi + minutes, s + seconds)
        .addingSeconds(fraction / 1000.0);
}

CalendarDate CalendarDate::truncateToHour() const {
    return fromComponents(year(), monthOfYear(), dayOfMonth(), hourOfDay());
}

CalendarDate CalendarDate::truncateToThirdHour() const {
    return fromComponents(year(), monthOfYear(), dayOfMonth(), hourOfDay() - hourOfDay() % 3);
}

CalendarDate CalendarDate::truncateToSixthHour() const {
    return fromComponents(year(), monthOfYear(), dayOfMonth(), hourOfDay() - hourOfDay() % 6);
}

CalendarDate CalendarDate::truncateToDay() const {
    return fromComponents(year(), monthOfYear(), dayOfMonth());
}

CalendarDate CalendarDate::truncateToDayAt12() const {
    return fromComponents(year(), monthOfYear(), dayOfMonth(), 12);
}

CalendarDate CalendarDate::truncateToFifthDay() const {
    return fromComponents(year(), monthOfYear(), dayOfMonth() - (dayOfYear() - 1) % 5);
}

CalendarDate CalendarDate::truncateToWeek(int firstWeekday) const {
    const int back = ((dayOfWeek() + 1 - firstWeekday) % 7 + 7) % 7;
    return fromComponents(year(), monthOfYear(), dayOfMonth() - back);
}

CalendarDate CalendarDate::truncateToMonth() const {
    return fromComponents(year(), monthOfYear(), 1);
}

CalendarDate CalendarDate::truncateToYear() const {
    return fromComponents(year(), 1, 1);
}

bool CalendarDate::evenDay() const {
    return hourOfDay() == 0 && minuteOfHour() == 0 && secondOfMinute() == 0;
}
