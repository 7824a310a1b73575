#pragma once

#include "WidgetInput.h"
#include "records/CalRecurrenceRule.h"

#include <ostream>

inline void PrintTo(const CalNthWeekDay& nth, std::ostream* out) {
    *out << "{weekday " << nth.dayOfTheWeek << ", week " << nth.weekNumber << '}';
}
