#include "CalRecurrenceRule.h"

#include "base/InternalInconsistency.h"

std::shared_ptr<CalRecurrenceRule> CalRecurrenceRule::rule(Type type, int interval) {
    auto result = std::make_shared<CalRecurrenceRule>();
    result->recurrenceType = type;
    result->recurrenceInterval = interval;
    return result;
}

bool CalRecurrenceRule::sameBesidesEnd(const CalRecurrenceRule& other) const {
    return recurrenceType == other.recurrenceType && recurrenceInterval == other.recurrenceInterval &&
           daysOfTheWeek == other.daysOfTheWeek && daysOfTheMonth == other.daysOfTheMonth &&
           monthsOfTheYear == other.monthsOfTheYear && nthWeekDaysOfTheMonth == other.nthWeekDaysOfTheMonth;
}

bool CalRecurrenceRule::same(const CalRecurrenceRule* a, const CalRecurrenceRule* b) {
    if (!a || !b)
        return a == b;
    return a->sameBesidesEnd(*b) && a->recurrenceEnd == b->recurrenceEnd;
}

std::shared_ptr<CalRecurrenceRule> CalRecurrenceRule::copy() const {
    return std::make_shared<CalRecurrenceRule>(*this);
}

std::shared_ptr<CalRecurrenceRule> CalRecurrenceRule::replaceEnd(std::optional<CalRecurrenceEnd> end) const {
    const auto singleNthWeekDay = [this] {
        VL_ASSERT(nthWeekDaysOfTheMonth->size() == 1, QStringLiteral("weekDays.count == 1"));
        const CalNthWeekDay& only = nthWeekDaysOfTheMonth->first();
        return QList<CalNthWeekDay>{CalNthWeekDay{only.dayOfTheWeek, only.weekNumber}};
    };
    std::shared_ptr<CalRecurrenceRule> result;
    switch (recurrenceType) {
    case Daily:
        result = rule(Daily, recurrenceInterval);
        break;
    case Weekly:
        result = rule(Weekly, recurrenceInterval);
        result->daysOfTheWeek = daysOfTheWeek;
        break;
    case Monthly:
        result = rule(Monthly, recurrenceInterval);
        if (daysOfTheMonth)
            result->daysOfTheMonth = daysOfTheMonth;
        else if (nthWeekDaysOfTheMonth)
            result->nthWeekDaysOfTheMonth = singleNthWeekDay();
        break;
    case Yearly:
        result = rule(Yearly, recurrenceInterval);
        if (monthsOfTheYear) {
            result->monthsOfTheYear = monthsOfTheYear;
            if (nthWeekDaysOfTheMonth)
                result->nthWeekDaysOfTheMonth = singleNthWeekDay();
        }
        break;
    default:
        VL_ASSERT(false, QStringLiteral("not implemented"));
    }
    result->recurrenceEnd = std::move(end);
    return result;
}
