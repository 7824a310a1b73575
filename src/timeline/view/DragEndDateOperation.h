#pragma once

#include "DragDateOperation.h"

// Drags an event's end, down to the start it had when the drag began.
class DragEndDateOperation : public DragDateOperation {
public:
    DragEndDateOperation(std::shared_ptr<CalEvent> event, const QPointF& startPoint, TimelineView& view);

protected:
    void applyOffset(double seconds) override;
};
