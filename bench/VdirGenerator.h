#pragma once

#include <QString>

// Writes a deterministic vdir of `eventCount` events spread over two years into three calendars: timed
// and all-day events, weekly and monthly series with exclusions and moved occurrences, alarms, and
// events in two time zones, as other programs write them.
class VdirGenerator {
public:
    static void write(const QString& root, int eventCount, int firstYear);
};
