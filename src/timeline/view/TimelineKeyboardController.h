#pragma once

#include "SelectionNavigator.h"

#include <memory>

class CalEvent;
class QKeyEvent;
class TimelineView;

// The keys of the focused timeline. The arrow keys, and Tab and Shift+Tab until the last or first event
// in the range, move the selection (see SelectionNavigator) and bring the new one into view; Page Up and Page
// Down turn the range back or forward by its length, Home shows now, Return opens the selected event and
// Escape cancels (the inline title field first, then the selection).
class TimelineKeyboardController {
public:
    explicit TimelineKeyboardController(TimelineView& view);

    // Whether the focused timeline takes the key before the window's shortcuts.
    bool takesKey(const QKeyEvent& event) const;
    // Whether the key was handled. Keys passed on by the inline title field are not the timeline's,
    // except Escape.
    bool keyPress(const QKeyEvent& event);
    // Tab and Shift+Tab; false when the focus is to move on.
    bool tabPress(const QKeyEvent& event);

private:
    // The events a step may reach: those in the range or all that are loaded.
    enum Reach { InRange, AllLoaded };

    bool isNavigating() const;
    bool moveSelection(SelectionNavigator::Direction direction, Reach reach);
    void reveal(const std::shared_ptr<CalEvent>& event);

    TimelineView& m_view;
};
