#pragma once

#include "DragOperation.h"

#include "records/CalEvent.h"

#include <memory>

// Drags that change an event's dates. The event the view shows changes on every significant step,
// always computed from the event as it was, so steps never add up rounding.
class DragDateOperation : public DragOperation {
public:
    DragDateOperation(std::shared_ptr<CalEvent> event, const QPointF& startPoint,
                      const CalendarDate& originDate, TimelineView& view, bool showsClosedHand);

    const std::shared_ptr<CalEvent>& event() const { return m_event; }
    const std::shared_ptr<const CalEvent>& originalEvent() const { return m_originalEvent; }
    // Only dates change during a drag.
    bool isEventModified() const override;
    // Puts the event's dates back as they were.
    void restoreEvent();

    // Steps of less than 3 pixels either side of the mouse-down point are ignored.
    bool isInsignificant(const QPointF& point) const;
    // The offset in seconds from the origin date, snapped to a step that depends on the zoom at the
    // point, or to whole days for all-day events.
    double timeIntervalForPoint(const QPointF& point) const;
    void mouseDraggedToPoint(const QPointF& point) final;

protected:
    // Sets the event's dates for an offset of `seconds`.
    virtual void applyOffset(double seconds) = 0;
    // The date moved by the offset: elapsed time, or calendar days for all-day events so that they stay
    // at midnight across a daylight-saving change.
    QDateTime shifted(const QDateTime& date, double seconds) const;

private:
    std::shared_ptr<CalEvent> m_event;
    std::shared_ptr<const CalEvent> m_originalEvent;
};
