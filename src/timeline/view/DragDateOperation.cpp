#include "DragDateOperation.h"

#include "TimelineView.h"
#include "timeline/DateToPositionMapping.h"

#include <cmath>

namespace {
constexpr double SIGNIFICANT_DISTANCE = 3.0;
constexpr double DAY = 86400.0;
} // namespace

DragDateOperation::DragDateOperation(std::shared_ptr<CalEvent> event, const QPointF& startPoint,
                                     const CalendarDate& originDate, TimelineView& view, bool showsClosedHand)
    : DragOperation(startPoint, originDate, view, showsClosedHand), m_event(std::move(event)),
      m_originalEvent(m_event->copy()) {}

bool DragDateOperation::isEventModified() const {
    return m_event->startDate != m_originalEvent->startDate || m_event->endDate != m_originalEvent->endDate;
}

void DragDateOperation::restoreEvent() {
    m_event->startDate = m_originalEvent->startDate;
    m_event->endDate = m_originalEvent->endDate;
}

bool DragDateOperation::isInsignificant(const QPointF& point) const {
    return std::abs(point.x() - originPoint().x()) < SIGNIFICANT_DISTANCE;
}

double DragDateOperation::timeIntervalForPoint(const QPointF& point) const {
    const TimelineView& view = timelineView();
    const double delta =
        view.dateToPositionMapping().dateForHorizontalPosition(point.x(), view).secondsSince(originDate());
    const double unit = m_originalEvent->isAllDay
                            ? DAY
                            : TimelineView::roundTimeInterval(view.timeIntervalToleranceAtPoint(point));
    return std::round(delta / unit) * unit; // halves away from zero
}

QDateTime DragDateOperation::shifted(const QDateTime& date, double seconds) const {
    if (m_originalEvent->isAllDay)
        return date.toLocalTime().addDays(qint64(std::llround(seconds / DAY))).toUTC();
    return date.addMSecs(qint64(std::llround(seconds * 1000)));
}

void DragDateOperation::mouseDraggedToPoint(const QPointF& point) {
    if (isInsignificant(point))
        return;
    applyOffset(timeIntervalForPoint(point));
    // The dragged event keeps its row while the others make room.
    timelineView().setNeedsNewLayoutWithFixedEvent(m_event);
}
