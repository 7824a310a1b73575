#pragma once

#include <QDateTime>
#include <QList>
#include <QString>

// An item that the server and this computer both changed since the last sync; vdirsyncer leaves both as
// they are until the user chooses.
struct SyncConflict {
    QString accountId;
    QString collection;  // vdirsyncer's name of the calendar pair
    QString calendarUid; // the store folder
    QString eventUid;

    bool operator==(const SyncConflict&) const = default;
};

// How far an account's sync got, for the calendars pane.
struct AccountSyncStatus {
    enum class State { NotYet, Syncing, Synced, Offline, Failed };
    State state = State::NotYet;
    QDateTime lastSynced;                    // the end of the last sync that went through
    QString reason;                          // Failed: what went wrong, for the user
    int itemsCopied = 0;                     // Syncing: events copied so far, either way
    int added = 0, changed = 0, deleted = 0; // what the last sync did, both ways together
    QList<SyncConflict> conflicts;

    // "Synced 2 minutes ago", "Syncing…", "Offline", or the reason.
    QString text(const QDateTime& now) const;
};
