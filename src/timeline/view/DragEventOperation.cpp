#include "DragEventOperation.h"

#include "TimelineView.h"
#include "timeline/DateToPositionMapping.h"

DragEventOperation::DragEventOperation(std::shared_ptr<CalEvent> event, const QPointF& startPoint,
                                       TimelineView& view)
    : DragDateOperation(std::move(event), startPoint,
                        view.dateToPositionMapping().dateForHorizontalPosition(startPoint.x(), view), view,
                        true) {}

void DragEventOperation::applyOffset(double seconds) {
    event()->startDate = shifted(originalEvent()->startDate, seconds);
    event()->endDate = shifted(originalEvent()->endDate, seconds);
}
