#include "ArrangedEvent.h"

#include "DateToPositionMapping.h"
#include "EventPainter.h"
#include "TimelineCanvas.h"
#include "records/CalEvent.h"

#include <algorithm>

ArrangedEvent::ArrangedEvent(std::shared_ptr<CalEvent> event, std::optional<EventStyle> style,
                             const TimelineCanvas& view, const EventPainter& painter)
    : m_event(std::move(event)), m_style(style), m_view(&view) {
    updateTextLabelWithEventPainter(painter);
    updateBoundsWithEventPainter(painter);
}

QRectF ArrangedEvent::timeBarRect() const {
    return QRectF(m_boundingRect.x(), m_boundingRect.y(), m_endPosition - m_boundingRect.x(),
                  m_boundingRect.height());
}

QRectF ArrangedEvent::startResizeRect() const {
    const QRectF bar = timeBarRect();
    const double hotSpot = std::min(bar.width() / 2, 3.0);
    return QRectF(bar.x(), bar.y(), hotSpot, bar.height());
}

QRectF ArrangedEvent::endResizeRect() const {
    const QRectF bar = timeBarRect();
    const double hotSpot = std::min(bar.width() / 2, 3.0);
    return QRectF(bar.x() + bar.width() - hotSpot, bar.y(), hotSpot, bar.height());
}

void ArrangedEvent::updateWithStyle(std::optional<EventStyle> style, const EventPainter& painter) {
    const bool wasSelected = isSelected();
    m_style = style;
    if (isSelected() != wasSelected)
        updateTextLabelWithEventPainter(painter);
    updateBoundsWithEventPainter(painter);
}

void ArrangedEvent::updateBoundsWithEventPainter(const EventPainter& painter) {
    const double start = m_view->dateToPositionMapping().horizontalPositionForDate(
        CalendarDate::fromQDateTime(m_event->startDate), *m_view);
    painter.updateArrangedEvent(*this, start);
}

void ArrangedEvent::updateTextLabelWithEventPainter(const EventPainter& painter) {
    m_textLabel = painter.textLabelWithEvent(*m_event, isSelected());
    m_labelSize = m_textLabel->boundingSize();
}
