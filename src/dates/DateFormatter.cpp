#include "DateFormatter.h"

#include "DateEnvironment.h"
#include "IcuText.h"
#include "base/InternalInconsistency.h"
#include "serialString.h"

#include <unicode/dtfmtsym.h>
#include <unicode/locid.h>

namespace {

const QString RANGE_FORMAT = QStringLiteral("%1\u2013%2"); // U+2013 EN DASH, no spaces
constexpr double DAY_SECONDS = 86400.0;

QString range(const QString& first, const QString& last) {
    return RANGE_FORMAT.arg(first, last);
}

} // namespace

DateFormatter::DateFormatter() = default;
DateFormatter::~DateFormatter() = default;

void DateFormatter::setLocale(const QString& localeId) {
    m_localeId = localeId.isEmpty() ? QString()
                                    : QString::fromUtf8(icu::Locale(localeId.toUtf8().constData()).getName());
    for (PatternDateFormat* format :
         {&m_hourOnlyFormatter12h, &m_hourOnlyFormatter24h, &m_timeFormatter12h,
          &m_timeFormatter12hNoMeridium, &m_meridiumFormatter, &m_timeFormatter24h,
          &m_weekdayMonthAndDayOfMonthFormatter, &m_weekdayAndDayOfMonthFormatter, &m_monthFormatter,
          &m_yearFormatter, &m_tinyWeekdayFormatter, &m_dayOfMonthFormatter})
        format->setLocale(m_localeId);
}

QString DateFormatter::timeDescription12h(const CalendarDate& date) const {
    return m_timeFormatter12h.format(date);
}

QString DateFormatter::timeDescription12hNoMeridium(const CalendarDate& date) const {
    return m_timeFormatter12hNoMeridium.format(date);
}

QString DateFormatter::timeDescription24h(const CalendarDate& date) const {
    return m_timeFormatter24h.format(date);
}

QString DateFormatter::meridiemWithDate(const CalendarDate& date) const {
    return m_meridiumFormatter.format(date);
}

QString DateFormatter::timeDescriptionWithDate(const CalendarDate& date) const {
    return m_timeModeHours == 12 ? timeDescription12h(date) : timeDescription24h(date);
}

QString DateFormatter::hourWithDate(const CalendarDate& date) const {
    return m_timeModeHours == 12 ? m_hourOnlyFormatter12h.format(date) : m_hourOnlyFormatter24h.format(date);
}

QString DateFormatter::dateOnlyDescriptionWithDate(const CalendarDate& date) const {
    return m_weekdayMonthAndDayOfMonthFormatter.format(date);
}

QString DateFormatter::dateDescriptionWithDate(const CalendarDate& date) const {
    return QStringLiteral("%1 %2").arg(dateOnlyDescriptionWithDate(date), timeDescriptionWithDate(date));
}

QString DateFormatter::weekdayAndDayOfMonthWithDate(const CalendarDate& date) const {
    return m_weekdayAndDayOfMonthFormatter.format(date);
}

QString DateFormatter::monthWithDate(const CalendarDate& date) const {
    return m_monthFormatter.format(date);
}

QString DateFormatter::yearWithDate(const CalendarDate& date) const {
    return m_yearFormatter.format(date);
}

QString DateFormatter::tinyWeekdayWithDate(const CalendarDate& date) const {
    return m_tinyWeekdayFormatter.format(date);
}

QString DateFormatter::dayOfMonthWithDate(const CalendarDate& date) const {
    return m_dayOfMonthFormatter.format(date);
}

QString DateFormatter::timeRangeDescription12h(const CalendarDate& start, const CalendarDate& end) const {
    if (meridiemWithDate(start) == meridiemWithDate(end))
        return range(timeDescription12hNoMeridium(start), timeDescription12h(end));
    return range(timeDescription12h(start), timeDescription12h(end));
}

QString DateFormatter::timeDescription(const CalendarDate& start, const CalendarDate& end) const {
    // A midnight-to-midnight range of a 23-hour day is whole days as well.
    if (end.secondsSince(start) >= DAY_SECONDS || isAllDayRange(start, end))
        return dateDescription(start, end);
    if (m_timeModeHours != 12)
        return range(timeDescription24h(start), timeDescription24h(end));
    return timeRangeDescription12h(start, end);
}

QString DateFormatter::dateDescription(const CalendarDate& start, const CalendarDate& end) const {
    if (isAllDayRange(start, end)) {
        // Decided by calendar days: across a daylight-saving change a day lasts 23 or 25 hours.
        const CalendarDate lastDay = end.addingSeconds(-1);
        if (onSameDay(start, lastDay))
            return dateOnlyDescriptionWithDate(start);
        return range(dateOnlyDescriptionWithDate(start), dateOnlyDescriptionWithDate(lastDay));
    }
    if (end.secondsSince(start) < DAY_SECONDS)
        return QStringLiteral("%1 %2").arg(dateOnlyDescriptionWithDate(start), timeDescription(start, end));
    // Longer than a day and not whole days (start or end not at 00:00:00): both ends with their times.
    return range(dateDescriptionWithDate(start), dateDescriptionWithDate(end));
}

bool DateFormatter::isAllDayRange(const CalendarDate& start, const CalendarDate& end) {
    return end > start && start.evenDay() && end.evenDay();
}

bool DateFormatter::onSameDay(const CalendarDate& a, const CalendarDate& b) {
    const CalendarDate::Fields first = a.fields(), second = b.fields();
    return first.year == second.year && first.month == second.month && first.day == second.day;
}

const DateFormatter::Names& DateFormatter::names() const {
    if (m_names.weekdays.isEmpty() || m_names.generation != DateEnvironment::generation() ||
        m_names.localeId != m_localeId) {
        UErrorCode status = U_ZERO_ERROR;
        icu::DateFormatSymbols symbols(gregorianLocale(m_localeId), status);
        VL_ASSERT(U_SUCCESS(status), QStringLiteral("no date format symbols for locale %1").arg(m_localeId));
        Names names;
        int32_t count = 0;
        // Index 0 of ICU's weekday array is empty; 1 = Sunday ... 7 = Saturday.
        const icu::UnicodeString* weekdays =
            symbols.getWeekdays(count, icu::DateFormatSymbols::FORMAT, icu::DateFormatSymbols::WIDE);
        for (int32_t i = 1; i < count && i <= 7; ++i)
            names.weekdays.append(toQString(weekdays[i]));
        const icu::UnicodeString* months =
            symbols.getMonths(count, icu::DateFormatSymbols::FORMAT, icu::DateFormatSymbols::WIDE);
        for (int32_t i = 0; i < count && i < 12; ++i)
            names.months.append(toQString(months[i]));
        VL_ASSERT(names.weekdays.size() == 7 && names.months.size() == 12,
                  QStringLiteral("incomplete weekday or month names for locale %1").arg(m_localeId));
        names.generation = DateEnvironment::generation();
        names.localeId = m_localeId;
        m_names = std::move(names);
    }
    return m_names;
}

QStringList DateFormatter::weekdayNames() const {
    return names().weekdays;
}

QStringList DateFormatter::monthNames() const {
    return names().months;
}

QString DateFormatter::dayOfWeekAsString(int weekday) const {
    return nameOfNumber(names().weekdays, weekday, WEEKDAY_FAILURE);
}

QString DateFormatter::daysOfTheWeekAsString(const QList<int>& weekdays) const {
    return serialStringOfNumberedNames(names().weekdays, weekdays, WEEKDAYS_FAILURE);
}

QString DateFormatter::monthsOfTheYearAsString(const QList<int>& months) const {
    return serialStringOfNumberedNames(names().months, months, MONTHS_FAILURE);
}
