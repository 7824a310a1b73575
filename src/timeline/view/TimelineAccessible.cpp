#include "TimelineAccessible.h"

#include "TimelineEventAccessible.h"
#include "TimelineView.h"
#include "timeline/ArrangedEvent.h"

TimelineAccessible::TimelineAccessible(TimelineView* view)
    : QAccessibleWidget(view, QAccessible::List, view->accessibleName()) {}

TimelineAccessible::~TimelineAccessible() {
    for (const QAccessible::Id id : std::as_const(m_items))
        QAccessible::deleteAccessibleInterface(id);
}

QAccessibleInterface* TimelineAccessible::create(const QString& className, QObject* object) {
    auto* view = qobject_cast<TimelineView*>(object);
    return className == QLatin1String("TimelineView") && view ? new TimelineAccessible(view) : nullptr;
}

TimelineView& TimelineAccessible::view() const {
    return *static_cast<TimelineView*>(widget());
}

// The events as the next paint lays them out.
int TimelineAccessible::childCount() const {
    if (view().isLayoutDirty())
        view().doLayoutEvents();
    return int(view().eventArranger().arrangedEvents().size());
}

QAccessibleInterface* TimelineAccessible::child(int index) const {
    if (index < 0 || index >= childCount())
        return nullptr;
    return interfaceOf(view().eventArranger().arrangedEvents()[index]->event());
}

int TimelineAccessible::indexOfChild(const QAccessibleInterface* child) const {
    const int count = childCount();
    for (int index = 0; index < count; ++index)
        if (this->child(index) == child)
            return index;
    return -1;
}

QAccessibleInterface* TimelineAccessible::childAt(int x, int y) const {
    const QPoint point = view().mapFromGlobal(QPoint(x, y));
    childCount();
    for (const auto& arranged : view().eventArranger().arrangedEvents())
        if (arranged->boundingRect().contains(point))
            return interfaceOf(arranged->event());
    return nullptr;
}

QAccessibleInterface* TimelineAccessible::interfaceOf(const std::shared_ptr<CalEvent>& event) const {
    if (!event)
        return nullptr;
    const EventKey key(*event);
    if (const auto found = m_items.constFind(key); found != m_items.cend())
        return QAccessible::accessibleInterface(*found);
    auto* item = new TimelineEventAccessible(&view(), key);
    m_items.insert(key, QAccessible::registerAccessibleInterface(item));
    return item;
}
