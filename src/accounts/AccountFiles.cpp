#include "AccountFiles.h"

#include "VdirsyncerConfiguration.h"
#include "base/Logger.h"
#include "base/PrivateFile.h"

#include <QDir>
#include <QJsonArray>
#include <QJsonDocument>
#include <QStandardPaths>

namespace {
constexpr qint64 MAX_ACCOUNTS_SIZE = 1 << 20;

QString ownConfigFolder() {
    return QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation) +
           QStringLiteral("/verdalune");
}
} // namespace

QString AccountFiles::accountsPath() {
    return ownConfigFolder() + QStringLiteral("/accounts.json");
}

QString AccountFiles::configurationPath() {
    return ownConfigFolder() + QStringLiteral("/vdirsyncer.conf");
}

QString AccountFiles::statusFolder() {
    return QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation) +
           QStringLiteral("/verdalune/vdirsyncer-status");
}

QList<CalDavAccount> AccountFiles::load() {
    const PrivateFile::Contents contents = PrivateFile::read(accountsPath(), MAX_ACCOUNTS_SIZE);
    QList<CalDavAccount> accounts;
    if (contents.outcome != PrivateFile::Outcome::Read)
        return accounts;
    for (const auto& value : QJsonDocument::fromJson(contents.bytes).array()) {
        if (auto account = CalDavAccount::fromJson(value.toObject()))
            accounts.append(*account);
        else
            VL_LOG(LOTHER, Logger::LOG_WARNING_LEVEL,
                   QStringLiteral("Skipping an unreadable account in %1").arg(accountsPath()));
    }
    return accounts;
}

std::optional<QString> AccountFiles::save(const QList<CalDavAccount>& accounts) {
    QJsonArray array;
    for (const CalDavAccount& account : accounts)
        array.append(account.toJson());
    return PrivateFile::write(accountsPath(), QJsonDocument(array).toJson());
}

std::optional<QString> AccountFiles::writeConfiguration(const QByteArray& text) {
    return PrivateFile::write(configurationPath(), text);
}

void AccountFiles::removeStatus(const CalDavAccount& account) {
    QDir status(statusFolder());
    const QString pair = VdirsyncerConfiguration::pairName(account);
    for (const QString& name : {pair, VdirsyncerConfiguration::probeName(account)}) {
        QDir(status.filePath(name)).removeRecursively();
        for (const QString& file : status.entryList({name + QStringLiteral(".*")}, QDir::Files))
            status.remove(file);
    }
}
