#include "FileReplacement.h"

#include <QUuid>

#include <algorithm>
#include <cerrno>
#include <fcntl.h>
#include <unistd.h>

namespace {

QByteArray temporaryName(const QByteArray& target) {
    return target + '.' +
           QUuid::createUuid().toString(QUuid::Id128).left(FileReplacement::TEMPORARY_TAG_LENGTH).toLatin1() +
           ".tmp";
}

// A short count is not an error by itself; the next write says why it stopped (a full disk, a limit).
bool writeAll(int descriptor, QByteArrayView bytes) {
    qsizetype written = 0;
    while (written < bytes.size()) {
        const ssize_t n = ::write(descriptor, bytes.constData() + written, size_t(bytes.size() - written));
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0) {
            if (n == 0)
                errno = EIO;
            return false;
        }
        written += n;
    }
    return true;
}

QByteArray folderOf(const QByteArray& path) {
    const qsizetype slash = path.lastIndexOf('/');
    return slash < 0 ? QByteArray(".") : slash == 0 ? QByteArray("/") : path.left(slash);
}

} // namespace

std::optional<FileReplacement::Failure> FileReplacement::write(const QByteArray& target,
                                                               const QByteArray& bytes, Placing placing,
                                                               const struct stat* like, mode_t mode) {
    return write(target, QList<QByteArrayView>{bytes}, placing, like, mode);
}

std::optional<FileReplacement::Failure> FileReplacement::write(const QByteArray& target,
                                                               const QList<QByteArrayView>& pieces,
                                                               Placing placing, const struct stat* like,
                                                               mode_t mode) {
    const QByteArray temporary = temporaryName(target);
    const int descriptor = ::open(temporary.constData(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, mode);
    if (descriptor < 0)
        return Failure{errno, false};
    if (like) {
        (void)::fchown(descriptor, like->st_uid, like->st_gid);
        (void)::fchmod(descriptor, like->st_mode & 07777);
    }
    const bool written = std::all_of(pieces.begin(), pieces.end(),
                                     [&](QByteArrayView piece) { return writeAll(descriptor, piece); }) &&
                         ::fsync(descriptor) == 0;
    const int writeError = errno;
    const bool closed = ::close(descriptor) == 0;
    if (!written || !closed) {
        const int error = written ? errno : writeError;
        ::unlink(temporary.constData());
        return Failure{error, false};
    }
    const bool placed = placing == Placing::OnlyWhereNone
                            ? ::link(temporary.constData(), target.constData()) == 0
                            : ::rename(temporary.constData(), target.constData()) == 0;
    const int placeError = errno;
    if (placing == Placing::OnlyWhereNone || !placed)
        ::unlink(temporary.constData());
    if (!placed)
        return Failure{placeError, true};
    syncDirectory(folderOf(target));
    return std::nullopt;
}

void FileReplacement::syncDirectory(const QByteArray& directory) {
    const int descriptor = ::open(directory.constData(), O_RDONLY | O_DIRECTORY);
    if (descriptor < 0)
        return;
    ::fsync(descriptor);
    ::close(descriptor);
}
