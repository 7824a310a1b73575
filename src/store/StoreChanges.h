#pragma once

#include <QStringList>

// The uids of the records that one change of the store inserted, updated and deleted.
struct StoreChanges {
    QStringList inserted;
    QStringList updated;
    QStringList deleted;

    bool isEmpty() const { return inserted.isEmpty() && updated.isEmpty() && deleted.isEmpty(); }
};
