#pragma once

#include "TimeOfDay.h"

#include <QStringView>

#include <optional>

// Reads the clock times of the entry language: an optional "at", then "9am", "9:30 p.m.", "9:30:15 PM",
// "21:05", "21:05:30", "noon" or "midnight", in any letter case, with blanks around. 12 am is 0:00 and
// 12 pm is 12:00. An hour of 13 to 19 with am or pm is read as a 24-hour hour (the meridiem adds nothing
// to it), 0 am as 0:00 and 0 pm as 12:00. Anything else gives nothing.
class TimeOfDayReader {
public:
    static std::optional<TimeOfDay> read(QStringView text);
};
