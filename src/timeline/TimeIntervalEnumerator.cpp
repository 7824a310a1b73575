#include "TimeIntervalEnumerator.h"

TimeIntervalEnumerator::TimeIntervalEnumerator(DateOperation incrementor, DateOperation truncator,
                                               DateIndexer indexer)
    : m_incrementor(std::move(incrementor)), m_truncator(std::move(truncator)),
      m_indexer(std::move(indexer)) {}

void TimeIntervalEnumerator::enumerate(const std::function<bool(const EnumeratedInterval&)>& visit) const {
    EnumeratedInterval interval;
    interval.start = m_start;
    const CalendarDate boundary = m_truncator(m_start);
    interval.clippedStart = m_start > boundary;
    interval.end = m_incrementor(boundary);
    // A unit step that fails to advance (lenient arithmetic at a time-zone gap) ends the enumeration
    // rather than looping.
    while (interval.start < m_end && interval.end > interval.start) {
        interval.index = m_indexer ? m_indexer(interval.start) : 0;
        if (interval.end > m_end) {
            interval.clippedEnd = true;
            interval.end = m_end;
        }
        if (!visit(interval))
            return;
        interval.start = interval.end;
        interval.end = m_incrementor(interval.start);
        interval.clippedStart = false;
        interval.clippedEnd = false;
    }
}
