#pragma once

#include "EventStyle.h"
#include "TextLabel.h"

#include <QRectF>
#include <QSizeF>

#include <memory>
#include <optional>

class CalEvent;
class EventPainter;
class TimelineCanvas;

// One event as the timeline places it: its bar from start to end position at the top of a bounding
// rectangle that is as wide as the longer of bar and label, with the label below the bar.
class ArrangedEvent {
public:
    // Builds the label (long when the style says selected) and computes the bounds.
    ArrangedEvent(std::shared_ptr<CalEvent> event, std::optional<EventStyle> style,
                  const TimelineCanvas& view, const EventPainter& painter);

    const std::shared_ptr<CalEvent>& event() const { return m_event; }
    const TimelineCanvas& timelineView() const { return *m_view; }
    const std::optional<EventStyle>& style() const { return m_style; }
    // The style alone; bounds and label stay as they are.
    void setStyle(std::optional<EventStyle> style) { m_style = style; }
    bool isSelected() const { return m_style && m_style->selected; }
    bool isDimmed() const { return m_style && m_style->dimmed; }

    const TextLabel& textLabel() const { return *m_textLabel; }
    QSizeF labelSize() const { return m_labelSize; }
    double endPosition() const { return m_endPosition; }
    void setEndPosition(double x) { m_endPosition = x; }
    QRectF boundingRect() const { return m_boundingRect; }
    void setBoundingRect(const QRectF& rect) { m_boundingRect = rect; }
    QRectF timeBarRect() const;
    // Where a drag resizes the event: up to 3 pixels at each end of the bar, half of a bar narrower than 6.
    QRectF startResizeRect() const;
    QRectF endResizeRect() const;

    // Stores the style, rebuilds the label when the selected state flips, and always recomputes the bounds.
    void updateWithStyle(std::optional<EventStyle> style, const EventPainter& painter);
    void updateBoundsWithEventPainter(const EventPainter& painter);
    void updateTextLabelWithEventPainter(const EventPainter& painter);

private:
    std::shared_ptr<CalEvent> m_event;
    std::optional<EventStyle> m_style;
    const TimelineCanvas* m_view;
    std::shared_ptr<const TextLabel> m_textLabel;
    QSizeF m_labelSize;
    double m_endPosition = 0;
    QRectF m_boundingRect;
};
