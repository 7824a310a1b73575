#pragma once

#include "TestSupport.h"
#include "WidgetInput.h"
#include "records/CalRecurrenceRule.h"

#include <ostream>

using Rule = CalRecurrenceRule;

// Wednesday June 10, 2026, 9:00, where the rules here start: weekday 4, the second Wednesday of June.
inline QDateTime wednesdayJune10() {
    return at(2026, 6, 10, 9).toQDateTime();
}

inline void PrintTo(const CalNthWeekDay& nth, std::ostream* out) {
    *out << "{weekday " << nth.dayOfTheWeek << ", week " << nth.weekNumber << '}';
}
