#pragma once

#include "WallClockZone.h"
#include "WallTime.h"

// A DATE or DATE-TIME value as a file gives it. Dates and floating times carry the default zone, so
// they follow it when it changes; a date stands for 00:00 of its day.
struct IcsTime {
    WallTime wall;
    bool isDate = false;
    WallClockZone zone;

    qint64 toMSecs() const { return zone.toMSecs(isDate ? wall.startOfDay() : wall); }
};
