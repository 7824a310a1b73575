#include "CalDavAccount.h"

#include <QCryptographicHash>
#include <QJsonArray>
#include <QRegularExpression>

namespace {
// Letters, digits and a few marks, not leading with a dot: a folder name that cannot climb or hide.
bool isSafeName(const QString& name) {
    static const QRegularExpression safe(QStringLiteral("^[A-Za-z0-9_@+-][A-Za-z0-9_.@+-]{0,99}$"));
    return safe.match(name).hasMatch();
}
} // namespace

QString CalDavAccount::calendarUid(const QString& collection) const {
    const QString name =
        isSafeName(collection)
            ? collection
            : QString::fromLatin1(
                  QCryptographicHash::hash(collection.toUtf8(), QCryptographicHash::Sha256).toHex().left(16));
    return id + u'-' + name;
}

bool CalDavAccount::ownsCalendar(const QString& calendarUid) const {
    for (const QString& collection : collections) {
        if (this->calendarUid(collection) == calendarUid)
            return true;
    }
    return false;
}

QJsonObject CalDavAccount::toJson() const {
    return {{QStringLiteral("id"), id},
            {QStringLiteral("name"), name},
            {QStringLiteral("url"), url},
            {QStringLiteral("userName"), userName},
            {QStringLiteral("collections"), QJsonArray::fromStringList(collections)}};
}

std::optional<CalDavAccount> CalDavAccount::fromJson(const QJsonObject& object) {
    static const QRegularExpression idPattern(QStringLiteral("^[a-z0-9]{1,32}$"));
    CalDavAccount account;
    account.id = object.value(QStringLiteral("id")).toString();
    account.name = object.value(QStringLiteral("name")).toString();
    account.url = object.value(QStringLiteral("url")).toString();
    account.userName = object.value(QStringLiteral("userName")).toString();
    for (const auto& collection : object.value(QStringLiteral("collections")).toArray()) {
        if (collection.isString())
            account.collections.append(collection.toString());
    }
    // The id names config sections, keyring entries and folders: only ours are taken.
    if (!idPattern.match(account.id).hasMatch() || account.url.isEmpty())
        return std::nullopt;
    return account;
}
