#include "DateDescription.h"

#include "base/InternalInconsistency.h"

DateDescription DateDescription::dayOfWeek(int dayOfWeek) {
    VL_ASSERT(dayOfWeek >= 0 && dayOfWeek <= 6, "aDayOfWeek >=0 && aDayOfWeek <= 6");
    DateDescription result(DayOfWeek);
    result.m_dayOfWeek = dayOfWeek;
    result.m_dayOffset = -1;
    return result;
}

DateDescription DateDescription::dayOfMonth(int dayOfMonth) {
    VL_ASSERT(dayOfMonth >= 1 && dayOfMonth <= 31, "aDayOfMonth >= 1 && aDayOfMonth <= 31");
    DateDescription result(DayOfMonth);
    result.m_day = dayOfMonth;
    result.m_dayOffset = -1;
    return result;
}

DateDescription DateDescription::dayOfWeekNextWeek(int dayOfWeek) {
    VL_ASSERT(dayOfWeek >= 0 && dayOfWeek <= 6, "aDayOfWeek >=0 && aDayOfWeek <= 6");
    DateDescription result(DayOfWeekNextWeek);
    result.m_dayOfWeek = dayOfWeek;
    result.m_dayOffset = -1;
    return result;
}

DateDescription DateDescription::dayOffset(int days) {
    DateDescription result(DayOffset);
    result.m_dayOffset = days;
    return result;
}

DateDescription DateDescription::monthOffset(int months) {
    DateDescription result(MonthOffset);
    result.m_monthOffset = months;
    return result;
}

DateDescription DateDescription::absolute(int monthIndex, int day) {
    DateDescription result(Absolute);
    result.m_month = monthIndex;
    result.m_day = day;
    return result;
}

CalendarDate DateDescription::dateWithReferenceDate(const CalendarDate& reference) const {
    const CalendarDate midnight = reference.truncateToDay();
    return dateWithTime(midnight.timeOfDay(), midnight);
}

CalendarDate DateDescription::nextDayOfWeek(TimeOfDay time, const CalendarDate& reference) const {
    int days = (m_dayOfWeek + 1) - (reference.dayOfWeek() + 1);
    if (days < 0)
        days += 7;
    const CalendarDate candidate = CalendarDate::dateWithDate(reference.dateByAddingDays(days), time);
    return candidate < reference ? candidate.dateByAddingDays(7) : candidate;
}

CalendarDate DateDescription::dateWithTime(TimeOfDay time, const CalendarDate& reference) const {
    switch (m_type) {
    case DayOfWeek:
        return nextDayOfWeek(time, reference);
    case DayOfMonth: {
        const CalendarDate::Fields fields = reference.fields();
        const CalendarDate candidate = CalendarDate::fromComponents(fields.year, fields.month, m_day,
                                                                    time.hour, time.minute, time.second);
        return candidate < reference ? candidate.dateByAddingMonths(1) : candidate;
    }
    case DayOfWeekNextWeek: {
        const CalendarDate candidate = nextDayOfWeek(time, reference);
        return candidate.weekOfCommonEra() == reference.weekOfCommonEra() ? candidate.dateByAddingDays(7)
                                                                          : candidate;
    }
    case DayOffset:
        return CalendarDate::dateWithDate(reference.dateByAddingDays(m_dayOffset), time);
    case MonthOffset:
        return CalendarDate::dateWithDate(reference.dateByAddingMonths(m_monthOffset), time);
    case Absolute: {
        const CalendarDate startOfReferenceDay = reference.truncateToDay();
        const CalendarDate candidate = CalendarDate::fromComponents(reference.year(), m_month + 1, m_day);
        const CalendarDate withTime = CalendarDate::dateWithDate(candidate, time);
        return withTime < startOfReferenceDay ? candidate.addYear() : candidate;
    }
    }
    VL_ASSERT(false, QStringLiteral("unknown date description type %1").arg(m_type));
    return reference;
}
