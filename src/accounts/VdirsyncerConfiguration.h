#pragma once

#include "CalDavAccount.h"

#include <QByteArray>
#include <QList>

#include <optional>

// The vdirsyncer configuration of Verdalune's accounts. Each account has two pairs: "<pair>_probe", the
// server with itself, whose discovery lists the server's calendars without making any folder, and the
// pair that syncs each listed calendar with its store folder ("<id>-<name>"), names and colours too. Every
// value is written as JSON, so nothing a user or server typed can add a line of its own.
class VdirsyncerConfiguration {
public:
    // Which side wins a conflict in one account's calendars, while the user's choice is carried out.
    struct Override {
        QString accountId;
        bool localWins = true;
    };

    static QString pairName(const CalDavAccount& account);
    static QString probeName(const CalDavAccount& account);
    static QByteArray text(const QList<CalDavAccount>& accounts, const QString& storeRoot,
                           const QString& statusFolder,
                           const std::optional<Override>& override = std::nullopt);
};
