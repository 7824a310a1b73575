#include "TimelineEventAccessible.h"

#include "TimelineView.h"
#include "TimelineViewDelegate.h"
#include "dates/EventDescription.h"
#include "timeline/ArrangedEvent.h"

#include <QWidget>
#include <QWindow>

TimelineEventAccessible::TimelineEventAccessible(TimelineView* view, EventKey key)
    : m_view(view), m_key(std::move(key)) {}

std::shared_ptr<ArrangedEvent> TimelineEventAccessible::arranged() const {
    return m_view ? m_view->eventArranger().cachedArrangedEvents().value(m_key) : nullptr;
}

bool TimelineEventAccessible::isValid() const {
    return arranged() != nullptr;
}

QWindow* TimelineEventAccessible::window() const {
    return m_view ? m_view->window()->windowHandle() : nullptr;
}

QAccessibleInterface* TimelineEventAccessible::parent() const {
    return m_view ? QAccessible::queryAccessibleInterface(m_view.data()) : nullptr;
}

QString TimelineEventAccessible::text(QAccessible::Text type) const {
    const auto shown = arranged();
    if (!shown)
        return {};
    switch (type) {
    case QAccessible::Name:
        return m_view->eventDescription()->descriptionOfEvent(*shown->event(), m_view->now());
    case QAccessible::Description:
        return shown->event()->notes;
    default:
        return {};
    }
}

QRect TimelineEventAccessible::rect() const {
    const auto shown = arranged();
    if (!shown)
        return {};
    const QRect local = shown->boundingRect().toAlignedRect();
    return QRect(m_view->mapToGlobal(local.topLeft()), local.size());
}

QAccessible::State TimelineEventAccessible::state() const {
    QAccessible::State state;
    const auto shown = arranged();
    if (!shown) {
        state.invalid = true;
        return state;
    }
    state.selectable = state.focusable = true;
    const bool selected = m_view->selectedEvent() && EventKey(*m_view->selectedEvent()) == m_key;
    state.selected = selected;
    state.focused = selected && m_view->hasFocus();
    state.invisible = !m_view->visibleRowsRect().intersects(shown->boundingRect().toAlignedRect());
    return state;
}

void* TimelineEventAccessible::interface_cast(QAccessible::InterfaceType type) {
    return type == QAccessible::ActionInterface ? static_cast<QAccessibleActionInterface*>(this) : nullptr;
}

QStringList TimelineEventAccessible::actionNames() const {
    return {pressAction(), setFocusAction()};
}

void TimelineEventAccessible::doAction(const QString& actionName) {
    const auto shown = arranged();
    if (!shown)
        return;
    m_view->setFocus();
    m_view->setSelectedEvent(shown->event());
    if (actionName == pressAction() && m_view->delegate())
        m_view->delegate()->selectedEventWasClicked(shown->event());
}

QStringList TimelineEventAccessible::keyBindingsForAction(const QString& actionName) const {
    return actionName == pressAction() ? QStringList{QStringLiteral("Return")} : QStringList{};
}
