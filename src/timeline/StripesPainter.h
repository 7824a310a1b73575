#pragma once

#include "StripePainter.h"
#include "TimeIntervalEnumerator.h"

#include <memory>
#include <vector>

class DateToPositionMapping;
class QPainter;
class TimelineCanvas;

// Shades alternate intervals of one unit (those with an odd index). A unit whose first complete interval
// is narrower than the cut-off is not shaded at all; once shading has begun, narrowing intervals are
// shaded up to the end of the parent unit they become too narrow in.
class StripesPainter {
public:
    StripesPainter(const TimeIntervalEnumerator& enumerator, StripePainter painter,
                   DateOperation parentTruncator);

    const StripePainter& stripePainter() const { return m_painter; }
    void setLineColor(const QColor& color) { m_painter.setLineColor(color); }
    void setDateToPositionMapping(std::shared_ptr<const DateToPositionMapping> mapping) {
        m_mapping = std::move(mapping);
    }

    std::vector<EnumeratedInterval> selectIntervals(const TimelineCanvas& view) const;
    void drawInTimelineView(QPainter& painter, const TimelineCanvas& view) const;

private:
    float position(const CalendarDate& date, const TimelineCanvas& view) const;

    const TimeIntervalEnumerator* m_enumerator;
    StripePainter m_painter;
    DateOperation m_parentTruncator;
    std::shared_ptr<const DateToPositionMapping> m_mapping;
};
