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
    // Equal in everything but the end, which can change without the rest.
    bool sameBesidesEnd(const CalRecurrenceRule& other) const;
    // Equal rules, or both none.
    static bool same(const CalRecurrenceRule* a, const CalRecurrenceRule* b);
    // A new rule of the same type and interval with `end` (absent: for ever), keeping only the details
    // that the event editor can show for that type; a list counts as given when it is present, even
    // empty:
    // - daily: nothing else;
    // - weekly: the days of the week;
    // - monthly: the days of the month, else the single nth weekday;
    // - yearly: the months with the single nth weekday, else the months alone (days of the month and nth
    //   weekdays without months are dropped).
    // A kept nth-weekday list must hold exactly one: InternalInconsistency "weekDays.count == 1". Any
    // other type: InternalInconsistency "not implemented".
    std::shared_ptr<CalRecurrenceRule> replaceEnd(std::optional<CalRecurrenceEnd> end) const;

    int recurrenceType = Daily; // one of Type; an int because stored files may carry other values
    int recurrenceInterval = 1;
    std::optional<CalRecurrenceEnd> recurrenceEnd; // absent: repeats for ever
    std::optional<QList<int>> daysOfTheWeek;       // weekday numbers 1 = Sunday ... 7 = Saturday
    std::optional<QList<int>> daysOfTheMonth;      // 1-31, negative from the end
    std::optional<QList<int>> monthsOfTheYear;     // 1-12
    std::optional<QList<CalNthWeekDay>> nthWeekDaysOfTheMonth;
};
