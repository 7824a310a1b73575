#include "FolderLock.h"

#include "base/Logger.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFile>

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

namespace {

// Our writers hold the lock for one file's write and flush; far longer means a stopped process, and
// waiting on it would hang the program.
constexpr int LONGEST_WAIT_MS = 10000;

StoreError lockFailure(const QString& folderPath, const QString& reason) {
    return StoreError{StoreError::DOMAIN_NAME, StoreError::WriteFailed,
                      QStringLiteral("The calendar folder \"%1\" could not be locked for writing: %2.")
                          .arg(QDir(folderPath).dirName(), reason),
                      QStringLiteral("Nothing was changed. Check that the calendar folder can be written to "
                                     "and that no other Verdalune program hangs, then try again.")};
}

} // namespace

FolderLock::FolderLock(const QString& folderPath) {
    const QByteArray path = QFile::encodeName(QDir(folderPath).filePath(FILE_NAME));
    // Opened for reading only: closing a file opened for writing is a change that folder watchers see.
    m_descriptor = ::open(path.constData(), O_RDONLY | O_CREAT | O_CLOEXEC, 0644);
    if (m_descriptor < 0) {
        m_failure = lockFailure(folderPath, QString::fromLocal8Bit(std::strerror(errno)));
        return;
    }
    QElapsedTimer waited;
    waited.start();
    while (::flock(m_descriptor, LOCK_EX | LOCK_NB) != 0) {
        const int error = errno;
        if (error == ENOLCK || error == EOPNOTSUPP || error == ENOSYS) {
            // As before there was a lock: the check alone guards such folders.
            VL_LOG(LCALSTORE, Logger::LOG_WARNING_LEVEL,
                   QStringLiteral("%1 cannot be locked (%2); writing without the lock")
                       .arg(folderPath, QString::fromLocal8Bit(std::strerror(error))));
            return;
        }
        if (error != EWOULDBLOCK && error != EINTR) {
            m_failure = lockFailure(folderPath, QString::fromLocal8Bit(std::strerror(error)));
            return;
        }
        if (waited.elapsed() > LONGEST_WAIT_MS) {
            m_failure = lockFailure(folderPath, QStringLiteral("another program keeps it locked"));
            return;
        }
        ::usleep(1000);
    }
}

FolderLock::~FolderLock() {
    if (m_descriptor >= 0)
        ::close(m_descriptor); // releases the lock
}
