#include "DragEndDateOperation.h"

#include <algorithm>

DragEndDateOperation::DragEndDateOperation(std::shared_ptr<CalEvent> event, const QPointF& startPoint,
                                           TimelineView& view)
    : DragDateOperation(event, startPoint, CalendarDate::fromQDateTime(event->endDate), view, false) {}

void DragEndDateOperation::applyOffset(double seconds) {
    event()->endDate = std::max(shifted(originalEvent()->endDate, seconds), originalEvent()->startDate);
}
