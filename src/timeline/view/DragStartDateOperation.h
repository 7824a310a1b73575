#pragma once

#include "DragDateOperation.h"

// Drags an event's start, up to the end it had when the drag began.
class DragStartDateOperation : public DragDateOperation {
public:
    DragStartDateOperation(std::shared_ptr<CalEvent> event, const QPointF& startPoint, TimelineView& view);

protected:
    void applyOffset(double seconds) override;
};
