#pragma once

#include "WallClockZone.h"
#include "records/CalRecurrenceRule.h"

#include <QString>

#include <memory>

// Between RRULE text and the recurrence rule record.
//
// A record holds only what the program's editor can show: daily, weekly (on days of the week),
// monthly (on days of the month, or on one weekday numbered 1-4 or last) and yearly (in months, on
// days of the month or one numbered weekday), each with an interval and COUNT or UNTIL. `parse` gives
// null for a rule that a record cannot hold without changing what it means (HOURLY and finer,
// BYSETPOS, BYWEEKNO, BYYEARDAY, several numbered weekdays, ...), so that such a rule is never shown
// wrongly nor written back altered; the series still expands from its text. FREQ=DAILY;BYDAY=...
// (interval 1) is the weekly rule it equals.
class RecurrenceRuleText {
public:
    // UNTIL as a DATE means the end of that day, and a floating one a clock reading, both in `zone`.
    static std::shared_ptr<CalRecurrenceRule> parse(const QString& rrule, const WallClockZone& zone = {});
    // `untilText` is UNTIL already written like DTSTART; empty: the rule's end date as a UTC date-time.
    static QString format(const CalRecurrenceRule& rule, const QString& untilText);
};
