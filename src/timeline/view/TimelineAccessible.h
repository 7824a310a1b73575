#pragma once

#include "store/EventKey.h"

#include <QAccessible>
#include <QAccessibleWidget>
#include <QHash>

#include <memory>

class CalEvent;
class TimelineView;

// What a screen reader finds in the timeline: a list whose items are the events shown, each named by its
// line ("Fri 9:00 AM - 10:00 AM standup"), selected and focused as on the screen, and opened by its
// action. The items are made as they are asked for and live as long as the timeline.
class TimelineAccessible : public QAccessibleWidget {
public:
    explicit TimelineAccessible(TimelineView* view);
    ~TimelineAccessible() override;

    // For QAccessible::installFactory: the timeline's interface, none for other widgets.
    static QAccessibleInterface* create(const QString& className, QObject* object);

    int childCount() const override;
    QAccessibleInterface* child(int index) const override;
    int indexOfChild(const QAccessibleInterface* child) const override;
    QAccessibleInterface* childAt(int x, int y) const override;

    // The item of an event shown, or none.
    QAccessibleInterface* interfaceOf(const std::shared_ptr<CalEvent>& event) const;

private:
    TimelineView& view() const;

    mutable QHash<EventKey, QAccessible::Id> m_items;
};
