#pragma once

#include <QString>

#include <libical/ical.h>

// Whether a VTIMEZONE can be handed to libical. libical expands every STANDARD and DAYLIGHT
// sub-component from its DTSTART up to the last year it covers before it converts a single time, so a
// rule repeating every second, or a list of a million dates, holds every query up for minutes. Real
// zones change at most a few times a year and list at most a few hundred changes.
class ZoneChangeLimit {
public:
    static constexpr int MAX_CHANGES_IN_A_YEAR = 12;
    static constexpr int MAX_CHANGES = 20000;
    // libical expands zones up to this year at most.
    static constexpr int LAST_EXPANDED_YEAR = 2035;

    // Why `vtimezone` is beyond the limits, or empty when it is within them.
    static QString excess(icalcomponent* vtimezone);
};
