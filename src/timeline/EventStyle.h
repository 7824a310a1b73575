#pragma once

#include "store/CalendarStore.h"
#include "store/EventKey.h"

#include <QHash>

// How an arranged event is drawn: selected (long label and frame), dimmed (outside the focused events)
// or under the pointer (drawn like a plain event, so a dimmed event lights up while pointed at).
struct EventStyle {
    bool selected = false;
    bool dimmed = false;
    bool rollover = false;
    bool operator==(const EventStyle&) const = default;
};

inline constexpr EventStyle SELECTED_EVENT_STYLE{true, false, false};
inline constexpr EventStyle DIMMED_EVENT_STYLE{false, true, false};
inline constexpr EventStyle ROLLOVER_EVENT_STYLE{false, false, true};

// Events without an entry have no style.
using EventStyles = QHash<EventKey, EventStyle>;

// The events the view singles out: the selected one, the one under the pointer, and the focused set
// (when it is not empty, every other event is dimmed).
struct EventHighlights {
    std::shared_ptr<CalEvent> selectedEvent;
    std::shared_ptr<CalEvent> trackedEvent;
    EventList focusedEvents;
};

// Later rules win: dimmed outside the focused set, then rollover, then selected.
EventStyles updateEventStylesWithVisibleEvents(const EventList& visibleEvents,
                                               const EventHighlights& highlights);
