#pragma once

#include "CalNthWeekDay.h"
#include "CalRecurrenceEnd.h"

#include <QList>

#include <memory>
#include <optional>

// How an event repeats. An absent list means the rule does not constrain that field; an empty list is
// present (the distinction survives a round trip through the store).
class CalRecurrenceRule {
public:
    enum Type { Daily = 0, Weekly = 1, Monthly = 2, Yearly = 3 };

    static std::shared_ptr<CalRecurrenceRule> rule(Type type, int interval = 1);
    std::shared_ptr<CalRecurrenceRule> copy() const;

    int recurrenceType = Daily; // one of Type; an int because stored files may carry other values
    int recurrenceInterval = 1;
    std::optional<CalRecurrenceEnd> recurrenceEnd; // absent: repeats for ever
    std::optional<QList<int>> daysOfTheWeek;       // weekday numbers 1 = Sunday ... 7 = Saturday
    std::optional<QList<int>> daysOfTheMonth;      // 1-31, negative from the end
    std::optional<QList<int>> monthsOfTheYear;     // 1-12
    std::optional<QList<CalNthWeekDay>> nthWeekDaysOfTheMonth;
};
