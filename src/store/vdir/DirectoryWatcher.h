#pragma once

#include <QElapsedTimer>
#include <QHash>
#include <QObject>
#include <QSet>
#include <QTimer>

class QSocketNotifier;

// Tells which watched directories changed, coalesced: events that come close together (a peer writing
// many files, a rename in two steps) are reported once, when none came for `quietMs`, and at the latest
// `longestDelayMs` after the first, so that a steady stream of changes is still reported.
class DirectoryWatcher : public QObject {
    Q_OBJECT
public:
    DirectoryWatcher(int quietMs, int longestDelayMs, QObject* parent = nullptr);
    ~DirectoryWatcher() override;

    // What changed in one directory: the entries named, and `whole` when the directory itself did.
    struct Changes {
        QSet<QString> names;
        bool whole = false;
    };

    void watch(const QString& directory);
    void unwatch(const QString& directory);
    // Reports what changed until now without waiting for the delay; nothing when nothing did.
    void reportNow();

signals:
    // By directory. `all` is true when events were lost (the kernel's queue overflowed): everything must
    // be rescanned.
    void directoriesChanged(const QHash<QString, DirectoryWatcher::Changes>& changes, bool all);

private:
    void readEvents();
    void flush();

    int m_descriptor = -1;
    QSocketNotifier* m_notifier = nullptr;
    QHash<int, QString> m_directories; // watch descriptor → directory
    QHash<QString, Changes> m_pending;
    bool m_overflowed = false;
    int m_quietMs;
    int m_longestDelayMs;
    QElapsedTimer m_sinceFirst; // since the first event not yet reported
    QTimer m_delay;
};
