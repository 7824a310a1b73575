#pragma once

#include "ErrorReport.h"

#include <QByteArray>
#include <QString>
#include <QStringList>
#include <QUrl>

// The programs the desktop starts at login: XDG autostart entries in $XDG_CONFIG_HOME/autostart. An
// entry is a login item for the program its Exec line starts; entries the user switched off (Hidden)
// do not count.
class SSLoginItems {
public:
    static inline const QString ERROR_DOMAIN = QStringLiteral("SSLoginErrorDomain");
    static constexpr long INSERT_FAILED = -20;
    static constexpr long NOT_A_LOGIN_ITEM = -330;
    // Entries are a few lines: a larger file is not read.
    static constexpr qint64 MAX_ENTRY_SIZE = 65536;

    static QString autostartDirectory();
    // The entry files, in name order.
    static QStringList copySnapshotOfLoginItems();
    // The path of the first entry that starts `url`, empty when none; entries whose program cannot be
    // found are skipped with a warning. Not being a login item is no error.
    static QString getLoginItemURL(const QUrl& url);
    static bool isLoginItemURL(const QUrl& url);
    // Writes the entry "<entryName>.desktop" that starts `url`, replacing one of that name.
    static bool addLoginURL(const QUrl& url, const QString& entryName, const QString& displayName,
                            ErrorReport* error);
    static bool removeLoginURL(const QUrl& url, ErrorReport* error);

    // The entry's text: the program quoted as the desktop entry format asks, so that spaces and quotes
    // in its path survive.
    static QByteArray entryText(const QString& program, const QString& displayName);
};
