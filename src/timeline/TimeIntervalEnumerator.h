#pragma once

#include "EnumeratedInterval.h"

#include <functional>

using DateOperation = std::function<CalendarDate(const CalendarDate&)>;
using DateIndexer = std::function<int(const CalendarDate&)>;

// Cuts the range [start, end) into calendar intervals of one unit: the first runs from the range's start
// to the next unit boundary, the last is cut at the range's end.
class TimeIntervalEnumerator {
public:
    TimeIntervalEnumerator(DateOperation incrementor, DateOperation truncator, DateIndexer indexer = {});

    CalendarDate start() const { return m_start; }
    void setStart(const CalendarDate& start) { m_start = start; }
    CalendarDate end() const { return m_end; }
    void setEnd(const CalendarDate& end) { m_end = end; }

    // Hands each interval to `visit` in order until the range is used up or `visit` returns false.
    void enumerate(const std::function<bool(const EnumeratedInterval&)>& visit) const;

private:
    DateOperation m_incrementor;
    DateOperation m_truncator;
    DateIndexer m_indexer;
    CalendarDate m_start;
    CalendarDate m_end;
};
