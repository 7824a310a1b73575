#pragma once

#include "DragDateOperation.h"

// Moves an event, keeping its length.
class DragEventOperation : public DragDateOperation {
public:
    DragEventOperation(std::shared_ptr<CalEvent> event, const QPointF& startPoint, TimelineView& view);

protected:
    void applyOffset(double seconds) override;
};
