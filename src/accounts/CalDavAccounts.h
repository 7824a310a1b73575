#pragma once

#include "AccountSyncStatus.h"
#include "AccountSyncer.h"
#include "CalDavAccount.h"
#include "VdirsyncerConfiguration.h"

#include <QHash>
#include <QObject>

#include <memory>

// The CalDAV accounts added in Verdalune and their sync through vdirsyncer: a configuration of our own
// (never the user's), passwords in the keyring, one sync at a time.
class CalDavAccounts : public QObject {
    Q_OBJECT
public:
    enum class ConflictChoice { KeepMine, TakeTheirs };

    // `storeRoot`: the calendar store's folder, where the accounts' calendars are kept.
    explicit CalDavAccounts(const QString& storeRoot, QObject* parent = nullptr);
    ~CalDavAccounts() override;

    QList<CalDavAccount> accounts() const { return m_accounts; }
    std::optional<CalDavAccount> accountOfCalendar(const QString& calendarUid) const;
    AccountSyncStatus status(const QString& accountId) const;

    // Puts the password in the keyring, finds the server's calendars and syncs them the first time;
    // answers with accountAdded or addingFailed.
    void addAccount(const QString& url, const QString& userName, const QString& password);
    bool isAdding() const;
    // Stops syncing it and forgets its password and sync state; its calendar folders are the caller's.
    void removeAccount(const QString& accountId);
    // Every account, now, or as soon as the running sync ends; conflicts the user left open are shown again.
    void syncNow();
    // The same on a schedule, showing only conflicts not seen before.
    void syncInBackground();
    // Syncs the conflict's calendar again with the chosen side winning.
    void resolveConflict(const SyncConflict& conflict, ConflictChoice choice);

    // What the user typed as the server's address, trimmed, with https:// where no scheme was given.
    static QString addressWithScheme(const QString& typed);
    // Whether the user keeps a vdirsyncer configuration of their own (left alone; its calendars are
    // ordinary folders of the store).
    static bool hasOwnVdirsyncerSetup();

signals:
    void accountsChanged();
    void accountAdded(const QString& accountId);
    void addingFailed(const QString& message);
    void statusChanged(const QString& accountId);
    // A sync stopped at an item changed on both sides.
    void conflictFound(const SyncConflict& conflict);

private:
    void writeConfiguration(const std::optional<VdirsyncerConfiguration::Override>& override = std::nullopt);
    void failAdding(const QString& message);
    void probeFinished(const AccountSyncer::Result& result);
    void syncFinished(const AccountSyncer::Result& result);
    void takeCollections(const QString& accountId, const QStringList& collections);
    CalDavAccount* account(const QString& accountId);
    void setStatus(const QString& accountId, const AccountSyncStatus& status);
    QString newAccountId() const;

    QString m_storeRoot;
    QList<CalDavAccount> m_accounts;
    std::optional<CalDavAccount> m_adding;
    QHash<QString, AccountSyncStatus> m_statuses;
    // Set by syncNow: conflicts seen before are shown again.
    bool m_showKnownConflicts = false;
    std::unique_ptr<AccountSyncer> m_syncer;
};
