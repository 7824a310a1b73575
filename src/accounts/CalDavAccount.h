#pragma once

#include <QJsonObject>
#include <QString>
#include <QStringList>

#include <optional>

// A CalDAV account added in Verdalune: where the server is, whose calendars, and which of them were found
// there. Its calendars are the store's folders named "<id>-<calendar>"; its password is in the keyring.
struct CalDavAccount {
    QString id;   // a few letters and digits, chosen when the account is added
    QString name; // shown over its calendars: the user at the server's host
    QString url;
    QString userName;
    QStringList collections; // the server's names of its calendars, as last found

    // The store folder (calendar uid) that holds the server's calendar `collection`: its name when that
    // is safe as a file name, else a digest of it, so that nothing the server says can name a path.
    QString calendarUid(const QString& collection) const;
    bool ownsCalendar(const QString& calendarUid) const;

    QJsonObject toJson() const;
    static std::optional<CalDavAccount> fromJson(const QJsonObject& object);
};
