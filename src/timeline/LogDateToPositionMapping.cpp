#include "LogDateToPositionMapping.h"

#include "TimelineCanvas.h"
#include "base/InternalInconsistency.h"
#include "timelineUtilities.h"

#include <algorithm>

double LogDateToPositionMapping::horizontalPositionForDate(const CalendarDate& date,
                                                           const TimelineCanvas& view) const {
    const double length = view.timeInterval();
    const double offset = std::min(std::max(date.secondsSince(view.startDate()), 0.0), length);
    return timeIntervalToViewXPosition(offset, length, m_compression, TIMELINE_HOR_MARGIN, view.lineLength());
}

CalendarDate LogDateToPositionMapping::dateForHorizontalPosition(double x, const TimelineCanvas& view) const {
    const double lineLength = view.lineLength();
    VL_ASSERT(lineLength > 0, "lineLength > 0");
    const double relative = (x - TIMELINE_HOR_MARGIN) / lineLength;
    return view.startDate().addingSeconds(
        relativePositionToTimeInterval(relative, view.timeInterval(), m_compression));
}
