#pragma once

#include "DateToPositionMapping.h"
#include "timelineSettings.h"

// Spreads the start of the range wide and compresses the far end, so that the next hours are readable
// while the weeks ahead still fit: offset o of a range L lies at ln(1 + o/t1) / ln(1/c) of the line, with
// t1 = L·c/(1 − c).
class LogDateToPositionMapping : public DateToPositionMapping {
public:
    // Strictly between 0 and 1.
    double compression() const { return m_compression; }

    bool isSpacingConstant() const override { return false; }
    double horizontalPositionForDate(const CalendarDate& date, const TimelineCanvas& view) const override;
    CalendarDate dateForHorizontalPosition(double x, const TimelineCanvas& view) const override;

private:
    double m_compression = TIMELINE_LOG_COMPRESSION;
};
