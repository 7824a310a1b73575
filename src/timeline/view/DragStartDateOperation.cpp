#include "DragStartDateOperation.h"

#include <algorithm>

DragStartDateOperation::DragStartDateOperation(std::shared_ptr<CalEvent> event, const QPointF& startPoint,
                                               TimelineView& view)
    : DragDateOperation(event, startPoint, CalendarDate::fromQDateTime(event->startDate), view, false) {}

void DragStartDateOperation::applyOffset(double seconds) {
    event()->startDate = std::min(shifted(originalEvent()->startDate, seconds), originalEvent()->endDate);
}
