#include "LabelsPainter.h"

#include "DateToPositionMapping.h"
#include "Labeller.h"
#include "timelineSettings.h"

LabelsPainter::LabelsPainter(const TimeIntervalEnumerator& enumerator, const Labeller& labeller,
                             DateOperation parentTruncator, Emphasis emphasis)
    : m_enumerator(&enumerator), m_labeller(&labeller), m_parentTruncator(std::move(parentTruncator)),
      m_emphasis(emphasis) {}

float LabelsPainter::position(const CalendarDate& date, const TimelineCanvas& view) const {
    return float(m_mapping->horizontalPositionForDate(date, view));
}

bool LabelsPainter::doesIntervalFit(const EnumeratedInterval& interval, const TimelineCanvas& view) const {
    return m_labeller->doesLabelFitForInterval(interval, position(interval.start, view),
                                               position(interval.end, view));
}

LabelsPainter::Selection LabelsPainter::selectIntervals(const TimelineCanvas& view) const {
    if (!m_mapping)
        return selection({});
    return m_mapping->isSpacingConstant() ? selectWithConstantSpacing(view) : selectWithVaryingSpacing(view);
}

// Every complete interval is as wide as the next, so one that does not fit means none do.
LabelsPainter::Selection LabelsPainter::selectWithConstantSpacing(const TimelineCanvas& view) const {
    std::vector<EnumeratedInterval> fitting;
    bool tooNarrow = false;
    m_enumerator->enumerate([&](const EnumeratedInterval& interval) {
        if (doesIntervalFit(interval, view)) {
            fitting.push_back(interval);
            return true;
        }
        tooNarrow = !interval.partial();
        return !tooNarrow;
    });
    return selection(tooNarrow ? std::vector<EnumeratedInterval>{} : std::move(fitting));
}

// Intervals narrow towards the right. Labels are committed a whole parent unit at a time, so a row
// never ends in the middle of a unit of the next coarser row.
LabelsPainter::Selection LabelsPainter::selectWithVaryingSpacing(const TimelineCanvas& view) const {
    std::vector<EnumeratedInterval> accepted;
    std::vector<EnumeratedInterval> pending;
    bool stopped = false;
    m_enumerator->enumerate([&](const EnumeratedInterval& interval) {
        const bool fits = doesIntervalFit(interval, view);
        if (fits)
            pending.push_back(interval);
        if (interval.end == m_parentTruncator(interval.end)) {
            accepted.insert(accepted.end(), pending.begin(), pending.end());
            pending.clear();
        }
        stopped = !fits && !interval.partial();
        return !stopped;
    });
    if (!stopped)
        accepted.insert(accepted.end(), pending.begin(), pending.end());
    return selection(std::move(accepted));
}

LabelsPainter::Selection LabelsPainter::selection(std::vector<EnumeratedInterval> intervals) const {
    const CalendarDate next = intervals.empty() ? m_enumerator->start() : intervals.back().end;
    return {std::move(intervals), next};
}

void LabelsPainter::drawIntervals(QPainter& painter, const std::vector<EnumeratedInterval>& intervals,
                                  const TimelineCanvas& view, const CalendarDate& now) const {
    for (const EnumeratedInterval& interval : intervals) {
        const bool emphasized =
            m_emphasis == Emphasis::CurrentInterval && interval.start <= now && now < interval.end;
        m_labeller->drawLabelForInterval(painter, interval, TIMELINE_Y_POS, position(interval.start, view),
                                         position(interval.end, view), emphasized);
    }
}
