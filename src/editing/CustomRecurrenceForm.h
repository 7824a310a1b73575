#pragma once

#include "records/CalRecurrenceRule.h"

#include <QDateTime>
#include <QList>

#include <array>
#include <memory>

// What the "Other..." panel shows: a kind with an interval for each kind and each kind's details, kept
// while the user switches between kinds. Weekdays are numbered as in rules (1 = Sunday).
struct CustomRecurrenceForm {
    enum Kind { Daily = 0, Weekly = 1, Monthly = 2, Yearly = 3 }; // the rule types
    struct NthWeekday {
        int weekNumber = 1; // 1-4, or -1 for the last
        int weekday = 1;
        bool operator==(const NthWeekday&) const = default;
    };

    Kind kind = Daily;
    std::array<int, 4> intervals{1, 1, 1, 1}; // by kind
    QList<int> weekdays;
    bool byDaysOfTheMonth = true; // else monthly on `monthlyNth`
    QList<int> daysOfTheMonth;    // 1-31
    NthWeekday monthlyNth;
    QList<int> months; // 1-12
    bool yearlyOnNthWeekday = false;
    NthWeekday yearlyNth;

    // Every kind with the defaults of `start` (its weekday, day and month in the current calendar), then
    // the rule's kind and details. Values the panel cannot show (weekday 9, a day counted from the end)
    // are left out; when nothing is left, the start's stays. A rule with several nth weekdays or of an
    // unknown type: InternalInconsistency.
    static CustomRecurrenceForm fromRule(const CalRecurrenceRule& rule, const QDateTime& start);
    // The rule of the chosen kind, without end.
    std::shared_ptr<CalRecurrenceRule> toRule() const;
    bool operator==(const CustomRecurrenceForm&) const = default;
};
