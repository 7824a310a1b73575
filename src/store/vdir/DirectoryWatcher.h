#pragma once

#include <QHash>
#include <QObject>
#include <QSet>
#include <QTimer>

class QSocketNotifier;

// Tells which watched directories changed, coalesced: events that come close together (a peer writing
// many files, a rename in two steps) are reported once, a short delay after the first.
class DirectoryWatcher : public QObject {
    Q_OBJECT
public:
    explicit DirectoryWatcher(int delayMs, QObject* parent = nullptr);
    ~DirectoryWatcher() override;

    void watch(const QString& directory);
    void unwatch(const QString& directory);
    // Reports what changed until now without waiting for the delay; nothing when nothing did.
    void reportNow();

signals:
    // `all` is true when events were lost (the kernel's queue overflowed): everything must be rescanned.
    void directoriesChanged(const QSet<QString>& directories, bool all);

private:
    void readEvents();
    void flush();

    int m_descriptor = -1;
    QSocketNotifier* m_notifier = nullptr;
    QHash<int, QString> m_directories; // watch descriptor → directory
    QSet<QString> m_pending;
    bool m_overflowed = false;
    QTimer m_delay;
};
