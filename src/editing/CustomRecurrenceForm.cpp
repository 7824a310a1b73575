#include "CustomRecurrenceForm.h"

#include "base/InternalInconsistency.h"
#include "dates/CalendarDate.h"

#include <QStringList>

namespace {

// The values within [low, high], or `fallback` when there are none.
QList<int> within(const std::optional<QList<int>>& values, int low, int high, const QList<int>& fallback) {
    QList<int> result;
    for (int value : values.value_or(QList<int>()))
        if (value >= low && value <= high)
            result.append(value);
    return result.isEmpty() ? fallback : result;
}

CustomRecurrenceForm::NthWeekday onlyNthWeekday(const CalRecurrenceRule& rule) {
    if (rule.nthWeekDaysOfTheMonth->size() != 1) {
        QStringList parts;
        for (const CalNthWeekDay& nth : *rule.nthWeekDaysOfTheMonth)
            parts.append(QStringLiteral("weekday %1 week %2").arg(nth.dayOfTheWeek).arg(nth.weekNumber));
        VL_ASSERT(false,
                  QStringLiteral("Single weekday expected: (%1)").arg(parts.join(QStringLiteral(", "))));
    }
    const CalNthWeekDay& nth = rule.nthWeekDaysOfTheMonth->first();
    return {nth.weekNumber, nth.dayOfTheWeek};
}

} // namespace

CustomRecurrenceForm CustomRecurrenceForm::fromRule(const CalRecurrenceRule& rule, const QDateTime& start) {
    const CalendarDate date = CalendarDate::fromQDateTime(start);
    const int day = date.dayOfMonth();
    // The start's place in its month: a fifth occurrence is the last one.
    const NthWeekday startNth{day > 28 ? -1 : (day - 1) / 7 + 1, date.dayOfWeek() + 1};
    CustomRecurrenceForm form;
    form.weekdays = {startNth.weekday};
    form.daysOfTheMonth = {day};
    form.monthlyNth = startNth;
    form.months = {date.monthOfYear()};
    form.yearlyNth = startNth;

    VL_ASSERT(rule.recurrenceType >= CalRecurrenceRule::Daily &&
                  rule.recurrenceType <= CalRecurrenceRule::Yearly,
              QStringLiteral("Unknwon recurrenceType event rule type %1 interval %2")
                  .arg(rule.recurrenceType)
                  .arg(rule.recurrenceInterval));
    form.kind = Kind(rule.recurrenceType);
    form.intervals[form.kind] = rule.recurrenceInterval;
    switch (form.kind) {
    case Daily:
        break;
    case Weekly:
        form.weekdays = within(rule.daysOfTheWeek, 1, 7, form.weekdays);
        break;
    case Monthly:
        if (rule.daysOfTheMonth) {
            form.daysOfTheMonth = within(rule.daysOfTheMonth, 1, 31, form.daysOfTheMonth);
        } else if (rule.nthWeekDaysOfTheMonth) {
            // The days keep the start's, ready if the user switches to days of the month.
            form.byDaysOfTheMonth = false;
            form.monthlyNth = onlyNthWeekday(rule);
        }
        break;
    case Yearly:
        form.months = within(rule.monthsOfTheYear, 1, 12, form.months);
        if (rule.nthWeekDaysOfTheMonth) {
            form.yearlyOnNthWeekday = true;
            form.yearlyNth = onlyNthWeekday(rule);
        }
        break;
    }
    return form;
}

std::shared_ptr<CalRecurrenceRule> CustomRecurrenceForm::toRule() const {
    auto rule = CalRecurrenceRule::rule(CalRecurrenceRule::Type(kind), intervals[kind]);
    const auto nth = [](const NthWeekday& chosen) {
        return QList<CalNthWeekDay>{CalNthWeekDay{chosen.weekday, chosen.weekNumber}};
    };
    switch (kind) {
    case Daily:
        break;
    case Weekly:
        rule->daysOfTheWeek = weekdays;
        break;
    case Monthly:
        if (byDaysOfTheMonth)
            rule->daysOfTheMonth = daysOfTheMonth;
        else
            rule->nthWeekDaysOfTheMonth = nth(monthlyNth);
        break;
    case Yearly:
        rule->monthsOfTheYear = months;
        if (yearlyOnNthWeekday)
            rule->nthWeekDaysOfTheMonth = nth(yearlyNth);
        break;
    }
    return rule;
}
