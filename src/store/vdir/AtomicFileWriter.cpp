#include "AtomicFileWriter.h"

#include <QFile>
#include <QFileInfo>
#include <QUuid>

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <unistd.h>

namespace {

StoreError writeFailure(const QString& path, int error) {
    return StoreError{
        StoreError::DOMAIN_NAME, StoreError::WriteFailed,
        QStringLiteral("The calendar file \"%1\" could not be written: %2.")
            .arg(QFileInfo(path).fileName(), QString::fromLocal8Bit(std::strerror(error))),
        QStringLiteral("Check that the disk is not full and that the calendar folder can be written "
                       "to, then try again.")};
}

bool writeAll(int descriptor, const QByteArray& bytes) {
    qsizetype written = 0;
    while (written < bytes.size()) {
        const ssize_t n = ::write(descriptor, bytes.constData() + written, size_t(bytes.size() - written));
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0)
            return false;
        written += n;
    }
    return true;
}

// Makes a rename or unlink in the folder survive a crash.
void syncDirectory(const QByteArray& directory) {
    const int descriptor = ::open(directory.constData(), O_RDONLY | O_DIRECTORY);
    if (descriptor < 0)
        return;
    ::fsync(descriptor);
    ::close(descriptor);
}

} // namespace

std::optional<StoreError> AtomicFileWriter::write(const QString& path, const QByteArray& bytes, Mode mode) {
    const QByteArray target = QFile::encodeName(path);
    const QByteArray directory = QFile::encodeName(QFileInfo(path).absolutePath());
    const QByteArray temporary =
        target + '.' + QUuid::createUuid().toString(QUuid::Id128).left(12).toLatin1() + ".tmp";

    const int descriptor = ::open(temporary.constData(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0644);
    if (descriptor < 0)
        return writeFailure(path, errno);
    const bool written = writeAll(descriptor, bytes) && ::fsync(descriptor) == 0;
    const int writeError = errno;
    ::close(descriptor);
    if (!written) {
        ::unlink(temporary.constData());
        return writeFailure(path, writeError);
    }

    const bool placed = mode == Mode::Create ? ::link(temporary.constData(), target.constData()) == 0
                                             : ::rename(temporary.constData(), target.constData()) == 0;
    const int placeError = errno;
    if (mode == Mode::Create || !placed)
        ::unlink(temporary.constData());
    if (!placed) {
        if (placeError == EEXIST)
            return StoreError{StoreError::DOMAIN_NAME, StoreError::ChangedOnDisk,
                              QStringLiteral("Another program has just created the calendar file \"%1\".")
                                  .arg(QFileInfo(path).fileName()),
                              QStringLiteral("Nothing was overwritten. Try again.")};
        return writeFailure(path, placeError);
    }
    syncDirectory(directory);
    return std::nullopt;
}

std::optional<StoreError> AtomicFileWriter::remove(const QString& path) {
    const QByteArray target = QFile::encodeName(path);
    if (::unlink(target.constData()) != 0 && errno != ENOENT)
        return writeFailure(path, errno);
    syncDirectory(QFile::encodeName(QFileInfo(path).absolutePath()));
    return std::nullopt;
}
