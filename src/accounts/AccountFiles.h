#pragma once

#include "CalDavAccount.h"

#include <QList>

#include <optional>

// Where the accounts live on disk: their list in $XDG_CONFIG_HOME/verdalune/accounts.json, the vdirsyncer
// configuration written from it beside it, and vdirsyncer's sync state in $XDG_DATA_HOME/verdalune. All
// private to the user and replaced whole.
class AccountFiles {
public:
    static QString accountsPath();
    static QString configurationPath();
    static QString statusFolder();

    // The accounts that can be read; a missing or unreadable list is none.
    static QList<CalDavAccount> load();
    // The reason when they could not be written.
    static std::optional<QString> save(const QList<CalDavAccount>& accounts);
    static std::optional<QString> writeConfiguration(const QByteArray& text);
    // Forgets what vdirsyncer remembers of the account's calendars.
    static void removeStatus(const CalDavAccount& account);
};
