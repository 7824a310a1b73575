#include "LinearDateToPositionMapping.h"

#include "TimelineCanvas.h"
#include "base/InternalInconsistency.h"
#include "timelineSettings.h"

#include <algorithm>

double LinearDateToPositionMapping::horizontalPositionForDate(const CalendarDate& date,
                                                              const TimelineCanvas& view) const {
    const double length = view.timeInterval();
    VL_ASSERT(length > 0, "timeInterval > 0");
    const double offset = std::min(std::max(date.secondsSince(view.startDate()), 0.0), length);
    return offset / length * view.lineLength() + TIMELINE_HOR_MARGIN;
}

CalendarDate LinearDateToPositionMapping::dateForHorizontalPosition(double x,
                                                                    const TimelineCanvas& view) const {
    const double lineLength = view.lineLength();
    VL_ASSERT(lineLength > 0, "lineLength > 0");
    return view.startDate().addingSeconds((x - TIMELINE_HOR_MARGIN) / lineLength * view.timeInterval());
}
