#pragma once

#include "AccountSyncStatus.h"
#include "CalDavAccount.h"
#include "VdirsyncerOutput.h"
#include "VdirsyncerRun.h"

#include <QLockFile>
#include <QObject>
#include <QTimer>

#include <memory>
#include <optional>

// Runs vdirsyncer for one account at a time, holding a lock that keeps any other Verdalune from syncing
// meanwhile. A probe lists the server's calendars; a sync probes, makes missing folders, brings names and
// colours, then the events; a resolution syncs one calendar again with one side winning.
class AccountSyncer : public QObject {
    Q_OBJECT
public:
    struct Job {
        enum class Kind { Probe, Sync, Resolve };
        Kind kind = Kind::Sync;
        CalDavAccount account;
        QString collection; // Resolve: the pair's calendar
        bool localWins = true;

        static Job of(Kind kind, const CalDavAccount& account) {
            Job job;
            job.kind = kind;
            job.account = account;
            return job;
        }
    };
    struct Result {
        Job job;
        VdirsyncerOutput::Failure failure = VdirsyncerOutput::Failure::None;
        QString message;
        int added = 0, changed = 0, deleted = 0;
        QList<SyncConflict> conflicts;
    };

    explicit AccountSyncer(const QString& configuration, QObject* parent = nullptr);

    void enqueue(const Job& job);
    // Drops the account's waiting jobs and stops its running one, without a result.
    void cancel(const QString& accountId);
    bool isBusyWith(const QString& accountId) const;

signals:
    void started(const QString& accountId);
    void progressed(const QString& accountId, int itemsDone);
    // A probe found these calendars on the server; the configuration must name them before this returns.
    void collectionsFound(const QString& accountId, const QStringList& collections);
    // The configuration must let (or, with none, stop letting) one side win the account's conflicts.
    void overrideNeeded(const QString& accountId, std::optional<bool> localWins);
    void finished(const Result& result);

private:
    enum class Step { Probe, Discover, Metasync, Sync, Resolve };

    void startNext();
    void runStep();
    void stepFinished(int exitCode, const QString& output);
    void finish(Result result);
    QStringList stepArguments() const;

    QString m_configuration;
    QList<Job> m_queue;
    std::optional<Job> m_current;
    QList<Step> m_steps;
    Result m_result;
    int m_itemsDone = 0;
    VdirsyncerRun m_run;
    QLockFile m_lock;
    QTimer m_lockRetry;
};
