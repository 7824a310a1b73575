#include "VdirsyncerConfiguration.h"

#include "AccountPasswords.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonValue>

namespace {
QByteArray json(const QJsonValue& value) {
    // A one-element array keeps strings quoted and escaped; its brackets are cut off again.
    const QByteArray array = QJsonDocument(QJsonArray{value}).toJson(QJsonDocument::Compact);
    return array.mid(1, array.size() - 2);
}

QByteArray line(const char* key, const QJsonValue& value) {
    return QByteArray(key) + " = " + json(value) + '\n';
}

QString serverStorage(const CalDavAccount& account) {
    return VdirsyncerConfiguration::pairName(account) + QStringLiteral("_server");
}

QString localStorage(const CalDavAccount& account) {
    return VdirsyncerConfiguration::pairName(account) + QStringLiteral("_local");
}
} // namespace

QString VdirsyncerConfiguration::pairName(const CalDavAccount& account) {
    return QStringLiteral("verdalune_") + account.id;
}

QString VdirsyncerConfiguration::probeName(const CalDavAccount& account) {
    return pairName(account) + QStringLiteral("_probe");
}

QByteArray VdirsyncerConfiguration::text(const QList<CalDavAccount>& accounts, const QString& storeRoot,
                                         const QString& statusFolder,
                                         const std::optional<Override>& override) {
    QByteArray text = "# Written by Verdalune for the CalDAV accounts added there; changes here are lost.\n"
                      "[general]\n" +
                      line("status_path", statusFolder + u'/');
    for (const CalDavAccount& account : accounts) {
        QJsonArray collections;
        for (const QString& collection : account.collections) {
            const QString folder = account.calendarUid(collection);
            collections.append(QJsonArray{folder, folder, collection});
        }
        text += "\n[pair " + pairName(account).toUtf8() + "]\n" + line("a", localStorage(account)) +
                line("b", serverStorage(account)) + line("collections", collections) +
                line("metadata", QJsonArray{QStringLiteral("displayname"), QStringLiteral("color")});
        if (override && override->accountId == account.id)
            text += line("conflict_resolution",
                         override->localWins ? QStringLiteral("a wins") : QStringLiteral("b wins"));
        text += "\n[pair " + probeName(account).toUtf8() + "]\n" + line("a", serverStorage(account)) +
                line("b", serverStorage(account)) + line("collections", QJsonArray{QStringLiteral("from b")});
        text += "\n[storage " + localStorage(account).toUtf8() + "]\n" +
                line("type", QStringLiteral("filesystem")) + line("path", storeRoot + u'/') +
                line("fileext", QStringLiteral(".ics"));
        text +=
            "\n[storage " + serverStorage(account).toUtf8() + "]\n" + line("type", QStringLiteral("caldav")) +
            line("url", account.url) + line("username", account.userName) +
            line("password.fetch", QJsonArray::fromStringList(AccountPasswords::lookupCommand(account.id)));
    }
    return text;
}
