#include "EventStyle.h"

#include <QSet>

EventStyles updateEventStylesWithVisibleEvents(const EventList& visibleEvents,
                                               const EventHighlights& highlights) {
    EventStyles styles;
    if (!highlights.focusedEvents.isEmpty()) {
        QSet<EventKey> focused;
        for (const auto& event : highlights.focusedEvents)
            focused.insert(EventKey(*event));
        for (const auto& event : visibleEvents) {
            const EventKey key(*event);
            if (!focused.contains(key))
                styles.insert(key, DIMMED_EVENT_STYLE);
        }
    }
    if (highlights.trackedEvent)
        styles.insert(EventKey(*highlights.trackedEvent), ROLLOVER_EVENT_STYLE);
    if (highlights.selectedEvent)
        styles.insert(EventKey(*highlights.selectedEvent), SELECTED_EVENT_STYLE);
    return styles;
}
