#pragma once

// A clock time without a day, as typed in an entry line ("9am", "14:30").
struct TimeOfDay {
    int hour = 0; // 0-23
    int minute = 0;
    int second = 0;

    bool operator==(const TimeOfDay&) const = default;
};
