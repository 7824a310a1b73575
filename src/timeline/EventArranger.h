#pragma once

#include "ArrangedEvent.h"
#include "EventStyle.h"

#include <QHash>
#include <QList>
#include <QRectF>
#include <QSizeF>

#include <memory>

class EventPainter;
class QPainter;
class TimelineCanvas;

// Gives every visible event its rectangle below the line: across from its start to its end position,
// sized by its label, and stacked in start order into the highest place that keeps 20 pixels sideways
// and 10 pixels vertically from every event placed before it. Grows the view when the rows need more
// room. Arranged events and their labels are kept by event key between layouts.
class EventArranger {
public:
    explicit EventArranger(const EventPainter& painter);

    // `fixedYEvent`, when it was arranged before, keeps its height and the others move around it (while
    // it is dragged or renamed in place).
    void arrangeEvents(const EventList& events, const EventStyles& styles, TimelineCanvas& view,
                       const QSizeF& contentViewSize, const std::shared_ptr<CalEvent>& fixedYEvent = {});
    // Re-styles without re-arranging: labels and bounds stay.
    void setEventStyles(const EventStyles& styles);
    // Draws the visible events that reach into `exposed`, later ones of the list over earlier ones.
    void drawEventsInView(QPainter& painter, const TimelineCanvas& view, const QRectF& exposed) const;
    void discardCachedArrangedEvents() { m_cache.clear(); }
    // Drops the arrangements of these records; the others stay for the next layout.
    void forgetArrangedEvents(const EventList& events);

    const EventList& visibleEvents() const { return m_visibleEvents; }
    // In placement order.
    const QList<std::shared_ptr<ArrangedEvent>>& arrangedEvents() const { return m_arrangedEvents; }
    const QHash<EventKey, std::shared_ptr<ArrangedEvent>>& cachedArrangedEvents() const { return m_cache; }
    // The lowest y the arrangement uses, plus the margin.
    double bottom() const { return m_bottom; }

private:
    std::shared_ptr<ArrangedEvent> arrangedEventFor(const std::shared_ptr<CalEvent>& event,
                                                    const EventStyles& styles, const TimelineCanvas& view);
    std::shared_ptr<ArrangedEvent> cachedArrangedEvent(const CalEvent& event) const;
    void append(const std::shared_ptr<ArrangedEvent>& arrangedEvent);

    const EventPainter& m_painter;
    EventList m_visibleEvents;
    QList<std::shared_ptr<ArrangedEvent>> m_arrangedEvents;
    QHash<EventKey, std::shared_ptr<ArrangedEvent>> m_cache;
    double m_bottom = 0;
};
