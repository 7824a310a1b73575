#include "RecurrenceRuleText.h"

#include "base/InternalInconsistency.h"

#include <QStringList>

#include <libical/ical.h>

#include <algorithm>

namespace {

const char* const FREQUENCIES[] = {"DAILY", "WEEKLY", "MONTHLY", "YEARLY"};
const char* const WEEKDAYS[] = {"SU", "MO", "TU", "WE", "TH", "FR", "SA"}; // 1 = Sunday

// The values of one BY list, up to its end marker.
template <std::size_t N> QList<short> values(const short (&list)[N]) {
    QList<short> result;
    for (short value : list) {
        if (value == ICAL_RECURRENCE_ARRAY_MAX)
            break;
        result.append(value);
    }
    return result;
}

struct Weekday {
    int day;      // 1 = Sunday
    int position; // 0 when not numbered
};

QList<Weekday> weekdays(const icalrecurrencetype& rule) {
    QList<Weekday> result;
    for (short code : values(rule.by_day))
        result.append(
            Weekday{int(icalrecurrencetype_day_day_of_week(code)), icalrecurrencetype_day_position(code)});
    return result;
}

bool isEditableWeekNumber(int position) {
    return (position >= 1 && position <= 4) || position == -1;
}

QList<int> toInts(const QList<short>& list) {
    return QList<int>(list.cbegin(), list.cend());
}

// With INTERVAL above 1 the week start groups the days into weeks. A record has no week start, so
// one other than Monday is harmless only when it groups the days as Monday would: all or none of them
// fall between it and Monday.
bool groupsLikeMonday(const icalrecurrencetype& rule, const QList<Weekday>& days) {
    if (rule.interval <= 1 || days.size() < 2 || rule.week_start == ICAL_MONDAY_WEEKDAY ||
        rule.week_start == ICAL_NO_WEEKDAY)
        return true;
    auto beforeMonday = [&](int day) {
        return (day - int(rule.week_start) + 7) % 7 < (2 - int(rule.week_start) + 7) % 7;
    };
    const auto inside =
        std::count_if(days.cbegin(), days.cend(), [&](const Weekday& w) { return beforeMonday(w.day); });
    return inside == 0 || inside == days.size();
}

CalRecurrenceEnd endOf(const icalrecurrencetype& rule, const WallClockZone& zone) {
    CalRecurrenceEnd end;
    if (rule.count > 0) {
        end.occurrenceCount = rule.count;
        return end;
    }
    end.usesEndDate = true;
    const icaltimetype& until = rule.until;
    const WallTime wall{until.year,
                        until.month,
                        until.day,
                        until.is_date ? 23 : until.hour,
                        until.is_date ? 59 : until.minute,
                        until.is_date ? 59 : until.second};
    end.endDate = icaltime_is_utc(until) ? WallClockZone::utc().toInstant(wall) : zone.toInstant(wall);
    return end;
}

} // namespace

std::shared_ptr<CalRecurrenceRule> RecurrenceRuleText::parse(const QString& rrule,
                                                             const WallClockZone& zone) {
    const QByteArray text = rrule.toUtf8();
    icalrecurrencetype rule = icalrecurrencetype_from_string(text.constData());
    const bool hasRscale = rule.rscale != nullptr;
    free(rule.rscale);
    if (hasRscale || rule.freq < ICAL_DAILY_RECURRENCE || rule.freq > ICAL_YEARLY_RECURRENCE ||
        rule.by_second[0] != ICAL_RECURRENCE_ARRAY_MAX || rule.by_minute[0] != ICAL_RECURRENCE_ARRAY_MAX ||
        rule.by_hour[0] != ICAL_RECURRENCE_ARRAY_MAX || rule.by_year_day[0] != ICAL_RECURRENCE_ARRAY_MAX ||
        rule.by_week_no[0] != ICAL_RECURRENCE_ARRAY_MAX || rule.by_set_pos[0] != ICAL_RECURRENCE_ARRAY_MAX)
        return nullptr;

    const QList<Weekday> days = weekdays(rule);
    const QList<short> monthDays = values(rule.by_month_day);
    const QList<short> months = values(rule.by_month);
    const bool numbered =
        std::any_of(days.cbegin(), days.cend(), [](const Weekday& w) { return w.position != 0; });
    if (std::any_of(months.cbegin(), months.cend(),
                    [](short m) { return icalrecurrencetype_month_is_leap(m); }))
        return nullptr;

    auto result = std::make_shared<CalRecurrenceRule>();
    result->recurrenceInterval = std::max<int>(1, rule.interval);
    if (rule.count > 0 || !icaltime_is_null_time(rule.until))
        result->recurrenceEnd = endOf(rule, zone);
    auto plainDays = [&] {
        QList<int> list;
        for (const Weekday& w : days)
            list.append(w.day);
        return list;
    };
    auto singleNumberedDay = [&]() -> std::optional<QList<CalNthWeekDay>> {
        if (days.size() != 1 || !isEditableWeekNumber(days.first().position))
            return std::nullopt;
        return QList<CalNthWeekDay>{CalNthWeekDay{days.first().day, days.first().position}};
    };

    switch (rule.freq) {
    case ICAL_DAILY_RECURRENCE:
        if (!months.isEmpty() || !monthDays.isEmpty() || numbered)
            return nullptr;
        if (days.isEmpty()) {
            result->recurrenceType = CalRecurrenceRule::Daily;
            return result;
        }
        if (rule.interval > 1)
            return nullptr;
        result->recurrenceType = CalRecurrenceRule::Weekly; // every day that is one of these weekdays
        result->daysOfTheWeek = plainDays();
        return result;
    case ICAL_WEEKLY_RECURRENCE:
        if (!months.isEmpty() || !monthDays.isEmpty() || numbered || !groupsLikeMonday(rule, days))
            return nullptr;
        result->recurrenceType = CalRecurrenceRule::Weekly;
        if (!days.isEmpty())
            result->daysOfTheWeek = plainDays();
        return result;
    case ICAL_MONTHLY_RECURRENCE:
        result->recurrenceType = CalRecurrenceRule::Monthly;
        if (!months.isEmpty() || (!days.isEmpty() && !monthDays.isEmpty()))
            return nullptr;
        if (!monthDays.isEmpty())
            result->daysOfTheMonth = toInts(monthDays);
        if (!days.isEmpty() && !(result->nthWeekDaysOfTheMonth = singleNumberedDay()))
            return nullptr;
        return result;
    default:
        result->recurrenceType = CalRecurrenceRule::Yearly;
        // Without months a day of the month or a numbered weekday counts within the year.
        if (months.isEmpty() ? !(days.isEmpty() && monthDays.isEmpty())
                             : !(days.isEmpty() || monthDays.isEmpty()))
            return nullptr;
        if (!months.isEmpty())
            result->monthsOfTheYear = toInts(months);
        if (!monthDays.isEmpty())
            result->daysOfTheMonth = toInts(monthDays);
        if (!days.isEmpty() && !(result->nthWeekDaysOfTheMonth = singleNumberedDay()))
            return nullptr;
        return result;
    }
}

namespace {

QString joined(const QList<int>& numbers) {
    QStringList parts;
    for (int number : numbers)
        parts.append(QString::number(number));
    return parts.join(u',');
}

} // namespace

QString RecurrenceRuleText::format(const CalRecurrenceRule& rule, const QString& untilText) {
    VL_ASSERT(rule.recurrenceType >= CalRecurrenceRule::Daily &&
                  rule.recurrenceType <= CalRecurrenceRule::Yearly,
              QStringLiteral("unknown recurrence type %1").arg(rule.recurrenceType));
    QStringList parts{QStringLiteral("FREQ=%1").arg(QLatin1String(FREQUENCIES[rule.recurrenceType]))};
    if (rule.recurrenceInterval > 1)
        parts.append(QStringLiteral("INTERVAL=%1").arg(rule.recurrenceInterval));
    if (rule.recurrenceEnd) {
        const CalRecurrenceEnd& end = *rule.recurrenceEnd;
        if (end.usesEndDate)
            parts.append(QStringLiteral("UNTIL=") +
                         (untilText.isEmpty()
                              ? end.endDate.toUTC().toString(QStringLiteral("yyyyMMdd'T'HHmmss'Z'"))
                              : untilText));
        else if (end.occurrenceCount > 0)
            parts.append(QStringLiteral("COUNT=%1").arg(end.occurrenceCount));
    }
    QStringList days;
    for (int day : rule.daysOfTheWeek.value_or(QList<int>()))
        if (day >= 1 && day <= 7)
            days.append(QLatin1String(WEEKDAYS[day - 1]));
    for (const CalNthWeekDay& nth : rule.nthWeekDaysOfTheMonth.value_or(QList<CalNthWeekDay>()))
        if (nth.dayOfTheWeek >= 1 && nth.dayOfTheWeek <= 7)
            days.append(QString::number(nth.weekNumber) + QLatin1String(WEEKDAYS[nth.dayOfTheWeek - 1]));
    if (!days.isEmpty())
        parts.append(QStringLiteral("BYDAY=") + days.join(u','));
    if (rule.daysOfTheMonth && !rule.daysOfTheMonth->isEmpty())
        parts.append(QStringLiteral("BYMONTHDAY=") + joined(*rule.daysOfTheMonth));
    if (rule.monthsOfTheYear && !rule.monthsOfTheYear->isEmpty())
        parts.append(QStringLiteral("BYMONTH=") + joined(*rule.monthsOfTheYear));
    return parts.join(u';');
}
