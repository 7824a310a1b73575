#include "EventArranger.h"

#include "EventPainter.h"
#include "EventPlacement.h"
#include "TimelineCanvas.h"
#include "base/InternalInconsistency.h"
#include "records/CalEvent.h"
#include "rectUtilities.h"
#include "timelineSettings.h"

#include <algorithm>

namespace {

constexpr qsizetype PRUNE_MINIMUM = 1000;
// How far an event's drawing reaches beyond its bounding rectangle: the selection frame, the shadow, and
// the label, which sits 6 pixels left of and 10 pixels below the rectangle's origin.
constexpr double DRAWING_REACH = 12.0;

std::optional<EventStyle> styleOf(const EventStyles& styles, const EventKey& key) {
    const auto it = styles.constFind(key);
    return it == styles.cend() ? std::nullopt : std::optional<EventStyle>(*it);
}

} // namespace

EventArranger::EventArranger(const EventPainter& painter) : m_painter(painter) {}

void EventArranger::arrangeEvents(const EventList& events, const EventStyles& styles, TimelineCanvas& view,
                                  const QSizeF& contentViewSize,
                                  const std::shared_ptr<CalEvent>& fixedYEvent) {
    m_visibleEvents = events;
    if (!fixedYEvent && m_arrangedEvents.size() > std::max(3 * events.size(), PRUNE_MINIMUM))
        m_cache.clear();
    m_arrangedEvents.clear();
    m_bottom = 0;
    EventList sorted = events;
    std::stable_sort(sorted.begin(), sorted.end(),
                     [](const auto& a, const auto& b) { return a->startDate < b->startDate; });

    EventPlacement placement;
    if (fixedYEvent && m_cache.contains(EventKey(*fixedYEvent))) {
        const EventKey key(*fixedYEvent);
        const double y = m_cache.value(key)->boundingRect().y();
        auto fixed = std::make_shared<ArrangedEvent>(fixedYEvent, styleOf(styles, key), view, m_painter);
        m_cache.insert(key, fixed);
        QRectF rect = fixed->boundingRect();
        rect.moveTop(y);
        fixed->setBoundingRect(rect);
        placement.placeFixed(rect);
        append(fixed);
        sorted.removeIf([&key](const auto& event) { return EventKey(*event) == key; });
    }
    for (const auto& event : sorted) {
        const auto arranged = arrangedEventFor(event, styles, view);
        QRectF rect = arranged->boundingRect();
        rect.moveTop(placement.place(rect));
        arranged->setBoundingRect(rect);
        append(arranged);
    }

    const double height = std::max(contentViewSize.height(), m_bottom);
    if (height != view.boundsSize().height())
        view.setFrameSize(QSizeF(view.boundsSize().width(), height));
}

std::shared_ptr<ArrangedEvent> EventArranger::arrangedEventFor(const std::shared_ptr<CalEvent>& event,
                                                               const EventStyles& styles,
                                                               const TimelineCanvas& view) {
    const EventKey key(*event);
    const std::optional<EventStyle> style = styleOf(styles, key);
    const auto cached = m_cache.value(key);
    if (cached && cached->event() == event) {
        cached->updateWithStyle(style, m_painter);
        return cached;
    }
    auto arranged = std::make_shared<ArrangedEvent>(event, style, view, m_painter);
    m_cache.insert(key, arranged);
    return arranged;
}

void EventArranger::forgetArrangedEvents(const EventList& events) {
    for (const auto& event : events) {
        const auto cached = m_cache.constFind(EventKey(*event));
        if (cached != m_cache.cend() && (*cached)->event() == event)
            m_cache.erase(cached);
    }
}

void EventArranger::append(const std::shared_ptr<ArrangedEvent>& arrangedEvent) {
    m_arrangedEvents.append(arrangedEvent);
    const QRectF rect = arrangedEvent->boundingRect();
    m_bottom = std::max(m_bottom, rect.y() + rect.height() + EVENT_MARGIN_TO_TIMELINE);
}

std::shared_ptr<ArrangedEvent> EventArranger::cachedArrangedEvent(const CalEvent& event) const {
    auto arranged = m_cache.value(EventKey(event));
    VL_ASSERT(arranged, "Found arrangedEvent");
    return arranged;
}

void EventArranger::setEventStyles(const EventStyles& styles) {
    for (const auto& event : m_visibleEvents)
        cachedArrangedEvent(*event)->setStyle(std::nullopt);
    for (auto it = styles.cbegin(); it != styles.cend(); ++it)
        if (const auto arranged = m_cache.value(it.key()))
            arranged->setStyle(it.value());
}

void EventArranger::drawEventsInView(QPainter& painter, const TimelineCanvas& view,
                                     const QRectF& exposed) const {
    for (const auto& event : m_visibleEvents) {
        const auto arranged = cachedArrangedEvent(*event);
        if (areRectsOverlapping(expandRect(arranged->boundingRect(), DRAWING_REACH, DRAWING_REACH), exposed))
            m_painter.drawArrangedEvent(painter, *arranged, view);
    }
}
