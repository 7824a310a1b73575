#pragma once

#include "EnumeratedInterval.h"
#include "TimeIntervalEnumerator.h"

#include <memory>
#include <vector>

class DateToPositionMapping;
class Labeller;
class QPainter;
class TimelineCanvas;

// Labels the intervals of one enumerator from the left for as long as their labels fit. On a linear
// scale a row is all or nothing; on a logarithmic one it stops where labels stop fitting, keeping only
// whole units of the parent (hour labels in complete three-hour blocks, for instance).
class LabelsPainter {
public:
    // Whether the label of the interval that holds "now" is set bolder (the days).
    enum class Emphasis { None, CurrentInterval };

    struct Selection {
        std::vector<EnumeratedInterval> intervals;
        // Where the next, coarser pass begins.
        CalendarDate next;
    };

    LabelsPainter(const TimeIntervalEnumerator& enumerator, const Labeller& labeller,
                  DateOperation parentTruncator, Emphasis emphasis = Emphasis::None);

    const Labeller& labeller() const { return *m_labeller; }
    void setDateToPositionMapping(std::shared_ptr<const DateToPositionMapping> mapping) {
        m_mapping = std::move(mapping);
    }

    bool doesIntervalFit(const EnumeratedInterval& interval, const TimelineCanvas& view) const;
    Selection selectIntervals(const TimelineCanvas& view) const;
    void drawIntervals(QPainter& painter, const std::vector<EnumeratedInterval>& intervals,
                       const TimelineCanvas& view, const CalendarDate& now) const;

private:
    Selection selectWithConstantSpacing(const TimelineCanvas& view) const;
    Selection selectWithVaryingSpacing(const TimelineCanvas& view) const;
    Selection selection(std::vector<EnumeratedInterval> intervals) const;
    float position(const CalendarDate& date, const TimelineCanvas& view) const;

    const TimeIntervalEnumerator* m_enumerator;
    const Labeller* m_labeller;
    DateOperation m_parentTruncator;
    Emphasis m_emphasis;
    std::shared_ptr<const DateToPositionMapping> m_mapping;
};
