#pragma once

#include "dates/CalendarDate.h"

#include <QPointF>

class TimelineView;

// One mouse drag on the timeline, from mouse down to mouse up.
class DragOperation {
public:
    // Drags that move something show the closed hand while they last.
    DragOperation(const QPointF& originPoint, const CalendarDate& originDate, TimelineView& view,
                  bool showsClosedHand);
    virtual ~DragOperation();
    DragOperation(const DragOperation&) = delete;
    DragOperation& operator=(const DragOperation&) = delete;

    QPointF originPoint() const { return m_originPoint; }
    CalendarDate originDate() const { return m_originDate; }
    virtual void mouseDraggedToPoint(const QPointF& point) = 0;
    virtual bool isEventModified() const { return false; }

protected:
    TimelineView& timelineView() const { return m_view; }

private:
    QPointF m_originPoint;
    CalendarDate m_originDate;
    TimelineView& m_view;
    bool m_showsClosedHand;
};
