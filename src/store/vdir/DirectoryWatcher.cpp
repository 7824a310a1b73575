#include "DirectoryWatcher.h"

#include "base/Logger.h"

#include <QFile>
#include <QSocketNotifier>

#include <sys/inotify.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>

namespace {

// Creations by link(), renames in both directions, in-place writes, deletions, and the folder itself
// going away or being renamed.
constexpr std::uint32_t EVENTS = IN_CREATE | IN_CLOSE_WRITE | IN_MOVED_TO | IN_MOVED_FROM | IN_DELETE |
                                 IN_DELETE_SELF | IN_MOVE_SELF | IN_ATTRIB;

} // namespace

DirectoryWatcher::DirectoryWatcher(int quietMs, int longestDelayMs, QObject* parent)
    : QObject(parent), m_quietMs(quietMs), m_longestDelayMs(longestDelayMs) {
    m_delay.setSingleShot(true);
    connect(&m_delay, &QTimer::timeout, this, &DirectoryWatcher::flush);
    m_descriptor = ::inotify_init1(IN_NONBLOCK | IN_CLOEXEC);
    if (m_descriptor < 0) {
        VL_LOG(LCALSTORE, Logger::LOG_WARNING_LEVEL,
               QStringLiteral(
                   "Cannot watch the calendar folders; changes by other programs are seen only after a "
                   "restart."));
        return;
    }
    m_notifier = new QSocketNotifier(m_descriptor, QSocketNotifier::Read, this);
    connect(m_notifier, &QSocketNotifier::activated, this, &DirectoryWatcher::readEvents);
}

DirectoryWatcher::~DirectoryWatcher() {
    if (m_descriptor >= 0)
        ::close(m_descriptor);
}

void DirectoryWatcher::watch(const QString& directory) {
    if (m_descriptor < 0)
        return;
    const int watch = ::inotify_add_watch(m_descriptor, QFile::encodeName(directory).constData(), EVENTS);
    if (watch < 0) {
        VL_LOG(LCALSTORE, Logger::LOG_WARNING_LEVEL,
               QStringLiteral("Cannot watch %1: %2").arg(directory, QString::fromLocal8Bit(strerror(errno))));
        return;
    }
    m_directories.insert(watch, directory);
}

void DirectoryWatcher::unwatch(const QString& directory) {
    for (auto it = m_directories.begin(); it != m_directories.end(); ++it) {
        if (it.value() == directory) {
            ::inotify_rm_watch(m_descriptor, it.key());
            m_directories.erase(it);
            return;
        }
    }
}

void DirectoryWatcher::readEvents() {
    alignas(inotify_event) char buffer[16384];
    for (;;) {
        const ssize_t length = ::read(m_descriptor, buffer, sizeof buffer);
        if (length <= 0)
            break;
        for (ssize_t offset = 0; offset < length;) {
            const auto* event = reinterpret_cast<const inotify_event*>(buffer + offset);
            offset += ssize_t(sizeof(inotify_event) + event->len);
            if (event->mask & IN_Q_OVERFLOW) {
                m_overflowed = true;
                continue;
            }
            // Hidden entries are neither calendars nor events, and our folder lock files are among them.
            if (event->len > 0 && event->name[0] == '.')
                continue;
            const auto directory = m_directories.constFind(event->wd);
            if (directory == m_directories.cend())
                continue;
            Changes& changes = m_pending[*directory];
            if (event->len > 0)
                changes.names.insert(QFile::decodeName(event->name));
            else
                changes.whole = true;
            if (event->mask & IN_IGNORED)
                m_directories.remove(event->wd);
        }
    }
    if (m_pending.isEmpty() && !m_overflowed)
        return;
    if (!m_sinceFirst.isValid())
        m_sinceFirst.start();
    const qint64 left = std::max<qint64>(0, m_longestDelayMs - m_sinceFirst.elapsed());
    m_delay.start(int(std::min<qint64>(m_quietMs, left)));
}

void DirectoryWatcher::reportNow() {
    if (m_descriptor >= 0)
        readEvents();
    if (m_pending.isEmpty() && !m_overflowed)
        return;
    m_delay.stop();
    flush();
}

void DirectoryWatcher::flush() {
    m_sinceFirst.invalidate();
    const QHash<QString, Changes> changes = std::exchange(m_pending, {});
    const bool all = std::exchange(m_overflowed, false);
    emit directoriesChanged(changes, all);
}
