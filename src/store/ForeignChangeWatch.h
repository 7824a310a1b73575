#pragma once

#include "StoreChanges.h"

#include <QByteArray>
#include <QHash>
#include <QString>

#include <optional>

class CalendarStoreController;

// Tells, of an event this program changed, whether another program changed it since a given step of
// ours. The text each change of ours leaves in the event's file is kept; an announced change by another
// program that leaves other text marks the event as changed at the latest step.
class ForeignChangeWatch {
public:
    explicit ForeignChangeWatch(CalendarStoreController& storeController)
        : m_storeController(storeController) {}

    // After a change of ours to the series: what its file holds now is what we left.
    void noteOwnChange(const QString& uid);
    void noteOthersChanges(const StoreChanges& changes);
    // A step later than every step before.
    quint64 newStep() { return ++m_step; }
    // Takes in the changes on disk not yet announced first.
    bool changedSince(quint64 step, const QString& uid);

private:
    CalendarStoreController& m_storeController;
    QHash<QString, std::optional<QByteArray>> m_left; // by uid: the text our last change left, none if gone
    QHash<QString, quint64> m_changedAt;              // by uid: the step at which another's change was seen
    quint64 m_step = 0;
};
