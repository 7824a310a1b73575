#pragma once

#include <QString>

// How a file writes a DTSTART, so that values that must match it (RECURRENCE-ID, EXDATE, UNTIL) can be
// written the same way.
struct DateForm {
    enum Kind {
        Date,     // VALUE=DATE
        Utc,      // 19970714T173000Z
        Zoned,    // TZID=...:19970714T133000
        Floating, // 19970714T133000, a clock reading in whatever zone the reader is in
    };
    Kind kind = Floating;
    QString tzid; // the TZID text as written, for Zoned

    bool operator==(const DateForm&) const = default;
};
