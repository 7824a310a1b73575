#pragma once

#include "EventArranger.h"
#include "EventPainter.h"
#include "EventStyle.h"
#include "TimelineViewRenderer.h"

#include <QRectF>
#include <QSizeF>

#include <memory>

class DateToPositionMapping;
class QPainter;
class TimelineCanvas;

// One frame of the timeline for a view: the events of the range laid out below the line, then the
// ground, labels and stripes, the current-time marker, the line and the events, which never reach into
// the side margins. In a view scrolled down, the label rows and the line are a fixed header over the
// rows. The widget and the offscreen image both draw through it.
class TimelineDrawing {
public:
    explicit TimelineDrawing(TimelineCanvas& view);

    // Call whenever the view's mapping, formatter or description changes. A new formatter or
    // description makes every cached label stale.
    void setDateToPositionMapping(std::shared_ptr<const DateToPositionMapping> mapping);
    void setDateFormatter(std::shared_ptr<DateFormatter> formatter);
    void setEventDescription(std::shared_ptr<EventDescription> description);
    // Light until told otherwise.
    void setColors(const TimelineColors& colors);
    const TimelineColors& colors() const { return m_colors; }

    const EventPainter& eventPainter() const { return m_painter; }
    EventArranger& eventArranger() { return m_arranger; }
    const EventArranger& eventArranger() const { return m_arranger; }
    TimelineViewRenderer& renderer() { return m_renderer; }

    // Arranges the events of the view's range and registers a tool tip over each one with notes.
    void layoutEvents(const EventList& events, const EventHighlights& highlights,
                      const QSizeF& contentViewSize, const std::shared_ptr<CalEvent>& fixedYEvent = {});
    // Restyles the arranged events (selection, rollover, dimming) without arranging them again.
    void updateEventStyles(const EventHighlights& highlights);
    // Draws the whole frame, events only where they reach into `exposed`. `headerTop` is the top of the
    // visible part of the view: the label rows and the line are drawn there again, over the events.
    void draw(QPainter& painter, const CalendarDate& now, const QRectF& exposed, double headerTop = 0);

private:
    // Everything but the events: ground, labels, stripes, the marker and the line.
    void drawBackdrop(QPainter& painter, const CalendarDate& now);
    void drawHeader(QPainter& painter, const CalendarDate& now, double headerTop);
    void drawCurrentTimeMarker(QPainter& painter, const CalendarDate& now) const;
    void drawTimeLine(QPainter& painter) const;

    TimelineCanvas& m_view;
    TimelineColors m_colors = TimelineColors::light();
    TimelineViewRenderer m_renderer;
    EventPainter m_painter;
    EventArranger m_arranger;
};
