#pragma once

#include "store/EventKey.h"

#include <QAccessibleActionInterface>
#include <QAccessibleInterface>
#include <QPointer>

#include <memory>

class ArrangedEvent;
class TimelineView;

// One event of the timeline for a screen reader: a list item named by the event's line, its place on the
// screen, whether it is selected and has the focus; "Press" opens it, "SetFocus" selects it.
class TimelineEventAccessible : public QAccessibleInterface, public QAccessibleActionInterface {
public:
    TimelineEventAccessible(TimelineView* view, EventKey key);

    bool isValid() const override;
    QObject* object() const override { return nullptr; }
    QWindow* window() const override;
    QAccessibleInterface* parent() const override;
    QAccessibleInterface* child(int) const override { return nullptr; }
    int childCount() const override { return 0; }
    int indexOfChild(const QAccessibleInterface*) const override { return -1; }
    QAccessibleInterface* childAt(int, int) const override { return nullptr; }
    QString text(QAccessible::Text type) const override;
    void setText(QAccessible::Text, const QString&) override {}
    QRect rect() const override;
    QAccessible::Role role() const override { return QAccessible::ListItem; }
    QAccessible::State state() const override;
    void* interface_cast(QAccessible::InterfaceType type) override;

    QStringList actionNames() const override;
    void doAction(const QString& actionName) override;
    QStringList keyBindingsForAction(const QString& actionName) const override;

private:
    // None once the event is no longer shown.
    std::shared_ptr<ArrangedEvent> arranged() const;

    QPointer<TimelineView> m_view;
    EventKey m_key;
};
