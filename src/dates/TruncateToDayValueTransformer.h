#pragma once

#include "CalendarDate.h"

#include <optional>

// Binds a day-only control to a date: dates pass as they are, and what comes back is cut to 00:00.
class TruncateToDayValueTransformer {
public:
    static std::optional<CalendarDate> transformedValue(const std::optional<CalendarDate>& date) {
        return date;
    }
    static std::optional<CalendarDate> reverseTransformedValue(const std::optional<CalendarDate>& date) {
        if (!date)
            return std::nullopt;
        return date->truncateToDay();
    }
};
