#pragma once

// "The second Tuesday", "the last Friday": a weekday within a month.
struct CalNthWeekDay {
    int dayOfTheWeek = 1; // 1 = Sunday ... 7 = Saturday
    int weekNumber = 1;   // 1-4, or -1 for the last one

    bool operator==(const CalNthWeekDay&) const = default;
};
