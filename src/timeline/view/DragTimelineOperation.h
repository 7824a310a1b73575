#pragma once

#include "DragOperation.h"

// Dragging empty space scrolls the timeline: the date under the mouse-down point stays under the
// pointer.
class DragTimelineOperation : public DragOperation {
public:
    DragTimelineOperation(const QPointF& startPoint, TimelineView& view);
    void mouseDraggedToPoint(const QPointF& point) override;
};
