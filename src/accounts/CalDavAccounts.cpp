#include "CalDavAccounts.h"

#include "AccountFiles.h"
#include "AccountPasswords.h"

#include "base/Logger.h"

#include <QDir>
#include <QFileInfo>
#include <QRandomGenerator>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QUrl>

#include <algorithm>

namespace {
QString wrongPassword() {
    return CalDavAccounts::tr("The server did not accept the user name or password");
}

QString noCalendar() {
    return CalDavAccounts::tr("No calendar was found at this address");
}

QUrl serverUrl(const QString& typed) {
    const QUrl url(CalDavAccounts::addressWithScheme(typed), QUrl::StrictMode);
    if (!url.isValid() || url.host().isEmpty() ||
        (url.scheme() != QStringLiteral("https") && url.scheme() != QStringLiteral("http")))
        return {};
    return url;
}
} // namespace

CalDavAccounts::CalDavAccounts(const QString& storeRoot, QObject* parent)
    : QObject(parent), m_storeRoot(QDir::cleanPath(storeRoot)), m_accounts(AccountFiles::load()),
      m_syncer(std::make_unique<AccountSyncer>(AccountFiles::configurationPath())) {
    if (!m_accounts.isEmpty())
        writeConfiguration(); // a newer program may write it differently
    connect(m_syncer.get(), &AccountSyncer::started, this, [this](const QString& accountId) {
        if (!account(accountId))
            return;
        AccountSyncStatus status = this->status(accountId);
        status.state = AccountSyncStatus::State::Syncing;
        status.itemsCopied = 0;
        setStatus(accountId, status);
    });
    connect(m_syncer.get(), &AccountSyncer::progressed, this, [this](const QString& accountId, int items) {
        if (!account(accountId))
            return;
        AccountSyncStatus status = this->status(accountId);
        status.itemsCopied = items;
        setStatus(accountId, status);
    });
    connect(m_syncer.get(), &AccountSyncer::collectionsFound, this, &CalDavAccounts::takeCollections);
    connect(m_syncer.get(), &AccountSyncer::overrideNeeded, this,
            [this](const QString& accountId, std::optional<bool> localWins) {
                if (localWins)
                    writeConfiguration(VdirsyncerConfiguration::Override{accountId, *localWins});
                else
                    writeConfiguration();
            });
    connect(m_syncer.get(), &AccountSyncer::finished, this, [this](const AccountSyncer::Result& result) {
        if (result.job.kind == AccountSyncer::Job::Kind::Probe)
            probeFinished(result);
        else
            syncFinished(result);
    });
}

CalDavAccounts::~CalDavAccounts() = default;

std::optional<CalDavAccount> CalDavAccounts::accountOfCalendar(const QString& calendarUid) const {
    for (const CalDavAccount& account : m_accounts) {
        if (account.ownsCalendar(calendarUid))
            return account;
    }
    return std::nullopt;
}

AccountSyncStatus CalDavAccounts::status(const QString& accountId) const {
    return m_statuses.value(accountId);
}

bool CalDavAccounts::isAdding() const {
    return m_adding.has_value();
}

void CalDavAccounts::addAccount(const QString& url, const QString& userName, const QString& password) {
    if (m_adding)
        return;
    const QUrl server = serverUrl(url);
    if (server.isEmpty())
        return failAdding(tr("Enter the server's address, such as https://example.com/dav/"));
    if (userName.trimmed().isEmpty())
        return failAdding(tr("Enter the user name"));
    for (const char* program : {"vdirsyncer", "secret-tool"}) {
        if (QStandardPaths::findExecutable(QString::fromLatin1(program)).isEmpty())
            return failAdding(
                tr("%1 is not installed; Verdalune syncs accounts with it").arg(QLatin1String(program)));
    }
    CalDavAccount account;
    account.id = newAccountId();
    account.url = server.toString();
    account.userName = userName.trimmed();
    account.name = account.userName + u'@' + server.host();
    if (const auto why = AccountPasswords::store(account.id, tr("Verdalune: %1").arg(account.name), password))
        return failAdding(*why);
    m_adding = account;
    writeConfiguration();
    m_syncer->enqueue(AccountSyncer::Job::of(AccountSyncer::Job::Kind::Probe, account));
}

void CalDavAccounts::failAdding(const QString& message) {
    if (m_adding) {
        AccountPasswords::remove(m_adding->id);
        AccountFiles::removeStatus(*m_adding);
        m_adding.reset();
        writeConfiguration();
    }
    emit addingFailed(message);
}

void CalDavAccounts::probeFinished(const AccountSyncer::Result& result) {
    if (!m_adding || m_adding->id != result.job.account.id)
        return;
    switch (result.failure) {
    case VdirsyncerOutput::Failure::Unauthorized:
        return failAdding(wrongPassword());
    case VdirsyncerOutput::Failure::NotFound:
        return failAdding(noCalendar());
    case VdirsyncerOutput::Failure::Unreachable:
        return failAdding(tr("The server could not be reached: %1").arg(result.message));
    case VdirsyncerOutput::Failure::Other:
        return failAdding(result.message);
    case VdirsyncerOutput::Failure::None:
        break;
    }
    if (result.job.account.collections.isEmpty())
        return failAdding(noCalendar());
    const CalDavAccount added = result.job.account;
    m_adding.reset();
    m_accounts.append(added);
    if (const auto why = AccountFiles::save(m_accounts)) {
        m_accounts.removeLast();
        m_adding = added; // so that failAdding forgets its password
        return failAdding(*why);
    }
    writeConfiguration();
    emit accountsChanged();
    emit accountAdded(added.id);
    m_syncer->enqueue(AccountSyncer::Job::of(AccountSyncer::Job::Kind::Sync, added));
}

void CalDavAccounts::syncFinished(const AccountSyncer::Result& result) {
    const QString& accountId = result.job.account.id;
    if (!account(accountId))
        return;
    AccountSyncStatus status = this->status(accountId);
    status.itemsCopied = 0;
    switch (result.failure) {
    case VdirsyncerOutput::Failure::None: {
        status.state = AccountSyncStatus::State::Synced;
        status.lastSynced = QDateTime::currentDateTime();
        status.reason.clear();
        status.added = result.added;
        status.changed = result.changed;
        status.deleted = result.deleted;
        const QList<SyncConflict> known = status.conflicts;
        if (result.job.kind == AccountSyncer::Job::Kind::Sync)
            status.conflicts = result.conflicts;
        else
            status.conflicts.removeIf(
                [&](const SyncConflict& conflict) { return conflict.collection == result.job.collection; });
        setStatus(accountId, status);
        for (const SyncConflict& conflict : status.conflicts) {
            if (m_showKnownConflicts || !known.contains(conflict))
                emit conflictFound(conflict);
        }
        break;
    }
    case VdirsyncerOutput::Failure::Unreachable:
        status.state = AccountSyncStatus::State::Offline;
        setStatus(accountId, status);
        break;
    case VdirsyncerOutput::Failure::Unauthorized:
    case VdirsyncerOutput::Failure::NotFound:
    case VdirsyncerOutput::Failure::Other:
        status.state = AccountSyncStatus::State::Failed;
        status.reason = result.failure == VdirsyncerOutput::Failure::Unauthorized ? wrongPassword()
                        : result.failure == VdirsyncerOutput::Failure::NotFound   ? noCalendar()
                        : result.message.contains(QStringLiteral("secret-tool"))
                            ? tr("The keyring has no password for this account: remove it and add it again")
                            : result.message;
        setStatus(accountId, status);
        break;
    }
    if (!m_syncer->isBusyWith(accountId))
        m_showKnownConflicts = false;
    if (result.job.kind == AccountSyncer::Job::Kind::Resolve)
        m_syncer->enqueue(AccountSyncer::Job::of(AccountSyncer::Job::Kind::Sync, *account(accountId)));
}

void CalDavAccounts::takeCollections(const QString& accountId, const QStringList& collections) {
    if (m_adding && m_adding->id == accountId) {
        m_adding->collections = collections;
        return;
    }
    CalDavAccount* found = account(accountId);
    if (!found || found->collections == collections)
        return;
    found->collections = collections;
    if (const auto why = AccountFiles::save(m_accounts))
        VL_LOG(LOTHER, Logger::LOG_WARNING_LEVEL,
               QStringLiteral("The accounts were not saved: %1").arg(*why));
    writeConfiguration();
    emit accountsChanged();
}

void CalDavAccounts::removeAccount(const QString& accountId) {
    const CalDavAccount* found = account(accountId);
    if (!found)
        return;
    const CalDavAccount removed = *found;
    m_syncer->cancel(accountId);
    m_accounts.removeIf([&](const CalDavAccount& account) { return account.id == accountId; });
    m_statuses.remove(accountId);
    if (const auto why = AccountFiles::save(m_accounts))
        VL_LOG(LOTHER, Logger::LOG_WARNING_LEVEL,
               QStringLiteral("The accounts were not saved: %1").arg(*why));
    writeConfiguration();
    AccountPasswords::remove(accountId);
    AccountFiles::removeStatus(removed);
    emit accountsChanged();
}

void CalDavAccounts::syncNow() {
    m_showKnownConflicts = true;
    syncInBackground();
}

void CalDavAccounts::syncInBackground() {
    for (const CalDavAccount& account : m_accounts)
        m_syncer->enqueue(AccountSyncer::Job::of(AccountSyncer::Job::Kind::Sync, account));
}

void CalDavAccounts::resolveConflict(const SyncConflict& conflict, ConflictChoice choice) {
    const CalDavAccount* found = account(conflict.accountId);
    if (!found)
        return;
    auto job = AccountSyncer::Job::of(AccountSyncer::Job::Kind::Resolve, *found);
    job.collection = conflict.collection;
    job.localWins = choice == ConflictChoice::KeepMine;
    m_syncer->enqueue(job);
}

QString CalDavAccounts::addressWithScheme(const QString& typed) {
    static const QRegularExpression SCHEME(QStringLiteral("^[A-Za-z][A-Za-z0-9+.-]*://"));
    const QString address = typed.trimmed();
    return SCHEME.match(address).hasMatch() ? address : QStringLiteral("https://") + address;
}

bool CalDavAccounts::hasOwnVdirsyncerSetup() {
    if (!qEnvironmentVariableIsEmpty("VDIRSYNCER_CONFIG"))
        return true;
    const QString config = QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation);
    return QFileInfo::exists(config + QStringLiteral("/vdirsyncer/config")) ||
           QFileInfo::exists(QDir::homePath() + QStringLiteral("/.vdirsyncer/config"));
}

void CalDavAccounts::writeConfiguration(const std::optional<VdirsyncerConfiguration::Override>& override) {
    QList<CalDavAccount> accounts = m_accounts;
    if (m_adding)
        accounts.append(*m_adding);
    const QByteArray text =
        VdirsyncerConfiguration::text(accounts, m_storeRoot, AccountFiles::statusFolder(), override);
    if (const auto why = AccountFiles::writeConfiguration(text))
        VL_LOG(LOTHER, Logger::LOG_WARNING_LEVEL,
               QStringLiteral("The sync configuration was not written: %1").arg(*why));
}

CalDavAccount* CalDavAccounts::account(const QString& accountId) {
    for (CalDavAccount& account : m_accounts) {
        if (account.id == accountId)
            return &account;
    }
    return nullptr;
}

void CalDavAccounts::setStatus(const QString& accountId, const AccountSyncStatus& status) {
    m_statuses.insert(accountId, status);
    emit statusChanged(accountId);
}

QString CalDavAccounts::newAccountId() const {
    for (;;) {
        const QString id = QString::number(QRandomGenerator::system()->generate(), 36);
        const bool taken = std::any_of(m_accounts.cbegin(), m_accounts.cend(),
                                       [&](const CalDavAccount& account) { return account.id == id; });
        if (!taken)
            return id;
    }
}
