#include "HelperInstanceLock.h"

#include <QFile>

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

const char* const FOLDER = "verdalune";
const char* const FILE_NAME = "helper.lock";

} // namespace

HelperInstanceLock::HelperInstanceLock(const QString& runtimeFolder) : m_runtimeFolder(runtimeFolder) {
    take();
}

HelperInstanceLock::~HelperInstanceLock() {
    if (m_descriptor >= 0)
        ::close(m_descriptor);
}

QString HelperInstanceLock::path() const {
    return QStringLiteral("%1/%2/%3")
        .arg(m_runtimeFolder, QLatin1StringView(FOLDER), QLatin1StringView(FILE_NAME));
}

void HelperInstanceLock::take() {
    const int runtime =
        ::open(QFile::encodeName(m_runtimeFolder).constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (runtime < 0)
        return refuse(m_runtimeFolder, errno);
    // Each step from the runtime folder down refuses a link, so nothing leads the lock elsewhere.
    if (::mkdirat(runtime, FOLDER, 0700) != 0 && errno != EEXIST) {
        refuse(path(), errno);
        ::close(runtime);
        return;
    }
    const int folder = ::openat(runtime, FOLDER, O_RDONLY | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC);
    const int folderError = errno;
    ::close(runtime);
    if (folder < 0)
        return refuse(path(), folderError);
    m_descriptor =
        ::openat(folder, FILE_NAME, O_RDONLY | O_CREAT | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC, 0600);
    const int fileError = errno;
    ::close(folder);
    if (m_descriptor < 0)
        return refuse(path(), fileError);
    struct stat info {};
    if (::fstat(m_descriptor, &info) != 0 || !S_ISREG(info.st_mode)) {
        ::close(m_descriptor);
        m_descriptor = -1;
        return refuse(path(), 0);
    }
    if (::flock(m_descriptor, LOCK_EX | LOCK_NB) == 0) {
        m_outcome = Outcome::Held;
        return;
    }
    const int lockError = errno;
    ::close(m_descriptor);
    m_descriptor = -1;
    if (lockError == EWOULDBLOCK)
        m_outcome = Outcome::HeldByAnother;
    else
        refuse(path(), lockError);
}

void HelperInstanceLock::refuse(const QString& what, int error) {
    m_outcome = Outcome::Unusable;
    m_why = error == 0 ? QStringLiteral("%1 is not a plain file").arg(what)
                       : QStringLiteral("%1: %2").arg(what, QString::fromLocal8Bit(std::strerror(error)));
}
