#pragma once

#include "dates/CalendarDate.h"

// One calendar interval [start, end) of an enumeration, cut where the enumerated range cuts it.
struct EnumeratedInterval {
    CalendarDate start;
    CalendarDate end;
    bool clippedStart = false;
    bool clippedEnd = false;
    int index = 0;

    bool partial() const { return clippedStart || clippedEnd; }
    bool operator==(const EnumeratedInterval& other) const {
        return start == other.start && end == other.end;
    }
};
