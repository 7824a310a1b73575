#include "AccountSyncer.h"

#include "VdirsyncerConfiguration.h"
#include "base/stateFolder.h"

#include <QCoreApplication>
#include <QDir>

namespace {
constexpr int LOCK_RETRY_MS = 5000;

QString lockPath() {
    QDir().mkpath(stateFolder());
    return stateFolder() + QStringLiteral("/sync.lock");
}
} // namespace

AccountSyncer::AccountSyncer(const QString& configuration, QObject* parent)
    : QObject(parent), m_configuration(configuration), m_lock(lockPath()) {
    // A sync may run long: a lock is taken over only when the program that held it has ended, never by age.
    m_lock.setStaleLockTime(0);
    m_lockRetry.setSingleShot(true);
    m_lockRetry.setInterval(LOCK_RETRY_MS);
    connect(&m_lockRetry, &QTimer::timeout, this, &AccountSyncer::startNext);
    connect(&m_run, &VdirsyncerRun::finished, this, &AccountSyncer::stepFinished);
    connect(&m_run, &VdirsyncerRun::itemDone, this, [this] {
        if (m_current)
            emit progressed(m_current->account.id, ++m_itemsDone);
    });
}

void AccountSyncer::enqueue(const Job& job) {
    const bool alreadyWaiting = std::any_of(m_queue.cbegin(), m_queue.cend(), [&](const Job& waiting) {
        return waiting.kind == Job::Kind::Sync && job.kind == Job::Kind::Sync &&
               waiting.account.id == job.account.id;
    });
    if (!alreadyWaiting)
        m_queue.append(job);
    if (!m_current && !m_lockRetry.isActive())
        startNext();
}

void AccountSyncer::cancel(const QString& accountId) {
    m_queue.removeIf([&](const Job& job) { return job.account.id == accountId; });
    if (m_current && m_current->account.id == accountId) {
        m_current.reset(); // its end, reported while it is stopped, is then ignored
        m_run.stop();
        if (m_queue.isEmpty())
            m_lock.unlock();
        startNext();
    }
}

bool AccountSyncer::isBusyWith(const QString& accountId) const {
    return (m_current && m_current->account.id == accountId) ||
           std::any_of(m_queue.cbegin(), m_queue.cend(),
                       [&](const Job& job) { return job.account.id == accountId; });
}

void AccountSyncer::startNext() {
    if (m_current || m_queue.isEmpty())
        return;
    if (!m_lock.isLocked() && !m_lock.tryLock(0)) {
        m_lockRetry.start(); // another Verdalune is syncing
        return;
    }
    m_current = m_queue.takeFirst();
    m_result = Result();
    m_result.job = *m_current;
    m_itemsDone = 0;
    switch (m_current->kind) {
    case Job::Kind::Probe:
        m_steps = {Step::Probe};
        break;
    case Job::Kind::Sync:
        m_steps = {Step::Probe, Step::Discover, Step::Metasync, Step::Sync};
        break;
    case Job::Kind::Resolve:
        m_steps = {Step::Resolve};
        emit overrideNeeded(m_current->account.id, m_current->localWins);
        break;
    }
    emit started(m_current->account.id);
    runStep();
}

QStringList AccountSyncer::stepArguments() const {
    const QString pair = VdirsyncerConfiguration::pairName(m_current->account);
    switch (m_steps.first()) {
    case Step::Probe:
        return {QStringLiteral("discover"), QStringLiteral("--no-list"),
                VdirsyncerConfiguration::probeName(m_current->account)};
    case Step::Discover:
        return {QStringLiteral("discover"), QStringLiteral("--no-list"), pair};
    case Step::Metasync:
        return {QStringLiteral("metasync"), pair};
    case Step::Sync:
        return {QStringLiteral("sync"), pair};
    case Step::Resolve:
        return {QStringLiteral("sync"), pair + u'/' + m_current->collection};
    }
    return {};
}

void AccountSyncer::runStep() {
    // Discovery asks before it makes each missing folder; every answer is yes.
    const QByteArray answers = m_steps.first() == Step::Discover
                                   ? QByteArray("y\n").repeated(m_current->account.collections.size() + 1)
                                   : QByteArray();
    m_run.start(m_configuration, stepArguments(), answers);
}

void AccountSyncer::stepFinished(int exitCode, const QString& output) {
    if (!m_current)
        return;
    const Step step = m_steps.takeFirst();
    const VdirsyncerOutput said(output);
    m_result.added += said.added();
    m_result.changed += said.changed();
    m_result.deleted += said.deleted();
    for (const auto& conflict : said.conflicts())
        m_result.conflicts.append(
            {m_current->account.id, conflict.collection, conflict.collection, conflict.itemId});
    if (step == Step::Probe) {
        const auto collections =
            said.discoveredCollections(VdirsyncerConfiguration::probeName(m_current->account));
        if (exitCode == 0 && collections) {
            m_current->account.collections = *collections;
            m_result.job.account.collections = *collections;
            emit collectionsFound(m_current->account.id, *collections);
        } else {
            m_steps.clear();
        }
    }
    // A conflict is told apart from other failures; the other calendars were synced all the same.
    if (exitCode != 0 && said.conflicts().isEmpty() && m_result.failure == VdirsyncerOutput::Failure::None) {
        m_result.failure = said.failure() == VdirsyncerOutput::Failure::None
                               ? VdirsyncerOutput::Failure::Other
                               : said.failure();
        m_result.message =
            said.errorMessage().isEmpty()
                ? QCoreApplication::translate("AccountSyncer", "vdirsyncer stopped with code %1")
                      .arg(exitCode)
                : said.errorMessage();
        m_steps.clear();
    }
    if (m_steps.isEmpty())
        finish(m_result);
    else
        runStep();
}

void AccountSyncer::finish(Result result) {
    if (result.job.kind == Job::Kind::Resolve)
        emit overrideNeeded(result.job.account.id, std::nullopt);
    m_current.reset();
    if (m_queue.isEmpty())
        m_lock.unlock();
    emit finished(result);
    startNext();
}
