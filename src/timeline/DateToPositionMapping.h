#pragma once

#include "dates/CalendarDate.h"

class TimelineCanvas;

// Turns a date into a horizontal position on the view's line and back. Everything that places or
// hit-tests something on the timeline goes through the mapping the view holds.
class DateToPositionMapping {
public:
    virtual ~DateToPositionMapping() = default;
    // True when every second takes the same width.
    virtual bool isSpacingConstant() const = 0;
    // Dates outside the view's range land on the ends of the line.
    virtual double horizontalPositionForDate(const CalendarDate& date, const TimelineCanvas& view) const = 0;
    // Not clamped: a position off the line gives a date outside the range.
    virtual CalendarDate dateForHorizontalPosition(double x, const TimelineCanvas& view) const = 0;
};
