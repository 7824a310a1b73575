#include "DragOperation.h"

#include "TimelineView.h"

DragOperation::DragOperation(const QPointF& originPoint, const CalendarDate& originDate, TimelineView& view,
                             bool showsClosedHand)
    : m_originPoint(originPoint), m_originDate(originDate), m_view(view), m_showsClosedHand(showsClosedHand) {
    if (m_showsClosedHand)
        m_view.pushCursor(Qt::ClosedHandCursor);
}

DragOperation::~DragOperation() {
    if (m_showsClosedHand)
        m_view.popCursor();
}
