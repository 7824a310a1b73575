#include "TimelineKeyboardController.h"

#include "InlineEditEventController.h"
#include "TimelineView.h"
#include "TimelineViewDelegate.h"
#include "timeline/ArrangedEvent.h"
#include "timeline/DateToPositionMapping.h"
#include "timeline/timelineSettings.h"

#include <QKeyEvent>
#include <QScrollArea>

#include <algorithm>
#include <cmath>
#include <optional>

namespace {

// Between a revealed event and the label rows above it or the edge below it.
constexpr int REVEAL_GAP = 4;

bool isPlain(const QKeyEvent& event) {
    return (event.modifiers() & ~Qt::KeypadModifier) == Qt::NoModifier;
}

std::optional<SelectionNavigator::Direction> selectionDirection(int key) {
    switch (key) {
    case Qt::Key_Left:
        return SelectionNavigator::Previous;
    case Qt::Key_Right:
        return SelectionNavigator::Next;
    case Qt::Key_Up:
        return SelectionNavigator::RowAbove;
    case Qt::Key_Down:
        return SelectionNavigator::RowBelow;
    default:
        return std::nullopt;
    }
}

} // namespace

TimelineKeyboardController::TimelineKeyboardController(TimelineView& view) : m_view(view) {}

bool TimelineKeyboardController::isNavigating() const {
    return m_view.hasFocus() && !m_view.inlineEditEventController().isActive();
}

bool TimelineKeyboardController::takesKey(const QKeyEvent& event) const {
    if (!isPlain(event) || !m_view.hasFocus())
        return false;
    switch (event.key()) {
    case Qt::Key_PageUp:
    case Qt::Key_PageDown:
    case Qt::Key_Home:
    case Qt::Key_Return:
    case Qt::Key_Enter:
    case Qt::Key_Escape:
        return true;
    default:
        return selectionDirection(event.key()).has_value();
    }
}

bool TimelineKeyboardController::keyPress(const QKeyEvent& event) {
    if (!isPlain(event))
        return false;
    if (event.key() == Qt::Key_Escape)
        return m_view.cancelOperation();
    if (!isNavigating())
        return false;
    if (const std::optional<SelectionNavigator::Direction> direction = selectionDirection(event.key())) {
        moveSelection(*direction, AllLoaded);
        return true;
    }
    TimelineViewDelegate* delegate = m_view.delegate();
    if (!delegate)
        return false;
    switch (event.key()) {
    case Qt::Key_PageUp:
        delegate->previousView();
        return true;
    case Qt::Key_PageDown:
        delegate->nextView();
        return true;
    case Qt::Key_Home:
        delegate->showNow();
        return true;
    case Qt::Key_Return:
    case Qt::Key_Enter:
        // As a double click on the event does.
        if (!m_view.selectedEvent())
            return false;
        delegate->selectedEventWasClicked(m_view.selectedEvent());
        return true;
    default:
        return false;
    }
}

bool TimelineKeyboardController::tabPress(const QKeyEvent& event) {
    if ((event.modifiers() & (Qt::ControlModifier | Qt::AltModifier)) || !isNavigating())
        return false;
    const bool backwards = event.key() == Qt::Key_Backtab ||
                           (event.key() == Qt::Key_Tab && (event.modifiers() & Qt::ShiftModifier));
    if (!backwards && event.key() != Qt::Key_Tab)
        return false;
    // Only through the events in the range: each step there brings more of the loaded events in, and
    // with a repeating event Tab would never reach the end and move on.
    return moveSelection(backwards ? SelectionNavigator::Previous : SelectionNavigator::Next, InRange);
}

bool TimelineKeyboardController::moveSelection(SelectionNavigator::Direction direction, Reach reach) {
    if (m_view.isLayoutDirty())
        m_view.doLayoutEvents();
    const auto& arranged = m_view.eventArranger().arrangedEvents();
    EventList events;
    if (reach == InRange) {
        for (const auto& each : arranged)
            events.append(each->event());
    } else {
        events = m_view.events();
    }
    const SelectionNavigator navigator(events, arranged);
    const CalendarDate middle =
        m_view.dateToPositionMapping().dateForHorizontalPosition(m_view.width() / 2.0, m_view);
    const std::shared_ptr<CalEvent> next =
        navigator.step(m_view.selectedEvent(), direction, middle.toQDateTime());
    if (!next)
        return false;
    m_view.setSelectedEvent(next);
    reveal(next);
    return true;
}

void TimelineKeyboardController::reveal(const std::shared_ptr<CalEvent>& event) {
    if (TimelineViewDelegate* delegate = m_view.delegate())
        delegate->ensureEventIsVisible(*event);
    m_view.doLayoutEvents();
    QScrollArea* area = m_view.scrollArea();
    const auto& arranged = m_view.eventArranger().arrangedEvents();
    const auto shown = std::find_if(arranged.begin(), arranged.end(),
                                    [&](const auto& each) { return each->event() == event; });
    if (!area || shown == arranged.end())
        return;
    // With the height of the label rows to spare, so that a header kept at the top leaves it uncovered.
    const QRectF bounds = (*shown)->boundingRect();
    area->ensureVisible(int(bounds.center().x()), int(bounds.center().y()), int(bounds.width() / 2),
                        int(std::ceil(bounds.height() / 2 + TIMELINE_HEADER_HEIGHT)) + REVEAL_GAP);
}
