#include "StripesPainter.h"

#include "DateToPositionMapping.h"
#include "TimelineCanvas.h"
#include "timelineSettings.h"

StripesPainter::StripesPainter(const TimeIntervalEnumerator& enumerator, StripePainter painter,
                               DateOperation parentTruncator)
    : m_enumerator(&enumerator), m_painter(std::move(painter)),
      m_parentTruncator(std::move(parentTruncator)) {}

float StripesPainter::position(const CalendarDate& date, const TimelineCanvas& view) const {
    return float(m_mapping->horizontalPositionForDate(date, view));
}

std::vector<EnumeratedInterval> StripesPainter::selectIntervals(const TimelineCanvas& view) const {
    std::vector<EnumeratedInterval> selected;
    if (!m_mapping)
        return selected;
    bool begun = false;
    m_enumerator->enumerate([&](const EnumeratedInterval& interval) {
        const float width = position(interval.end, view) - position(interval.start, view);
        const bool narrow = width < float(STRIPE_CUT_OFF_LIMIT);
        if (!interval.partial() && !begun && narrow)
            return false;
        selected.push_back(interval);
        if (interval.partial())
            return true;
        begun = true;
        return !(narrow && interval.end == m_parentTruncator(interval.end));
    });
    return selected;
}

void StripesPainter::drawInTimelineView(QPainter& painter, const TimelineCanvas& view) const {
    const float y = TIMELINE_Y_POS;
    const float height = float(view.boundsSize().height()) - y;
    for (const EnumeratedInterval& interval : selectIntervals(view)) {
        if (interval.index % 2 != 0)
            m_painter.drawInterval(painter, interval, view, y, height, position(interval.start, view),
                                   position(interval.end, view));
    }
}
