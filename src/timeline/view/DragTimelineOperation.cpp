#include "DragTimelineOperation.h"

#include "TimelineView.h"
#include "timeline/DateToPositionMapping.h"

DragTimelineOperation::DragTimelineOperation(const QPointF& startPoint, TimelineView& view)
    : DragOperation(startPoint, view.dateToPositionMapping().dateForHorizontalPosition(startPoint.x(), view),
                    view, true) {}

void DragTimelineOperation::mouseDraggedToPoint(const QPointF& point) {
    timelineView().positionDateAtViewXPosition(originDate(), point.x());
}
