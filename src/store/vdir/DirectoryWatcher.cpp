#include "DirectoryWatcher.h"

#include "base/Logger.h"

#include <QFile>
#include <QSocketNotifier>

#include <sys/inotify.h>
#include <unistd.h>

#include <cerrno>

namespace {

// Creations by link(), renames in both directions, in-place writes, deletions, and the folder itself
// going away or being renamed.
constexpr std::uint32_t EVENTS = IN_CREATE | IN_CLOSE_WRITE | IN_MOVED_TO | IN_MOVED_FROM | IN_DELETE |
                                 IN_DELETE_SELF | IN_MOVE_SELF | IN_ATTRIB;

} // namespace

DirectoryWatcher::DirectoryWatcher(int delayMs, QObject* parent) : QObject(parent) {
    m_delay.setSingleShot(true);
    m_delay.setInterval(delayMs);
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
            m_pending.insert(*directory);
            if (event->mask & IN_IGNORED)
                m_directories.remove(event->wd);
        }
    }
    if ((!m_pending.isEmpty() || m_overflowed) && !m_delay.isActive())
        m_delay.start();
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
    const QSet<QString> directories = std::exchange(m_pending, {});
    const bool all = std::exchange(m_overflowed, false);
    emit directoriesChanged(directories, all);
}
