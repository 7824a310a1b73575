#pragma once

#include "DateToPositionMapping.h"

// Every second of the range takes the same width.
class LinearDateToPositionMapping : public DateToPositionMapping {
public:
    bool isSpacingConstant() const override { return true; }
    double horizontalPositionForDate(const CalendarDate& date, const TimelineCanvas& view) const override;
    CalendarDate dateForHorizontalPosition(double x, const TimelineCanvas& view) const override;
};
