#include "AtomicFileWriter.h"

#include "RegularFileNames.h"

#include "base/FileReplacement.h"
#include "base/Logger.h"

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <sys/stat.h>
#include <unistd.h>

namespace {

// A write takes well under a second; an older temporary file is left by a writer that died.
constexpr int STALE_AFTER_SECONDS = 60;

// `target` is the file written in place of `path`: `path` itself, or the file a link at `path` leads to.
StoreError writeFailure(const QString& path, const QString& target, int error) {
    const QString reason = QString::fromLocal8Bit(std::strerror(error));
    if (target == path)
        return StoreError{StoreError::DOMAIN_NAME, StoreError::WriteFailed,
                          QStringLiteral("The calendar file \"%1\" could not be written: %2.")
                              .arg(QFileInfo(path).fileName(), reason),
                          QStringLiteral("Check that the disk is not full and that the calendar folder can "
                                         "be written to, then try again.")};
    return StoreError{StoreError::DOMAIN_NAME, StoreError::WriteFailed,
                      QStringLiteral("The calendar file \"%1\" is a link to \"%2\", which could not be "
                                     "written: %3.")
                          .arg(QFileInfo(path).fileName(), target, reason),
                      QStringLiteral("Check that the file the link leads to exists and that its folder can "
                                     "be written to, then try again.")};
}

// The file that `path` names: itself, or the end of the links it leads through. Nothing, with errno
// set, when the links lead nowhere.
std::optional<QString> linkTarget(const QString& path) {
    const QByteArray encoded = QFile::encodeName(path);
    struct stat info {};
    if (::lstat(encoded.constData(), &info) != 0 || !S_ISLNK(info.st_mode))
        return path;
    char* resolved = ::realpath(encoded.constData(), nullptr);
    if (!resolved)
        return std::nullopt;
    const QString target = QFile::decodeName(resolved);
    std::free(resolved);
    return target;
}

} // namespace

std::optional<StoreError> AtomicFileWriter::write(const QString& path, const QByteArray& bytes, Mode mode) {
    // A new file is made where asked; link() refuses a name that is taken, also by a link.
    const std::optional<QString> resolved = mode == Mode::Replace ? linkTarget(path) : path;
    if (!resolved) {
        const int error = errno;
        return writeFailure(path, QFileInfo(path).symLinkTarget(), error);
    }
    const QByteArray target = QFile::encodeName(*resolved);

    // A replaced file keeps its mode, and its owner where that is allowed: a private calendar stays
    // private. One the user may not write is refused, as the calendar's readonly marker would be.
    struct stat old {};
    const bool replacing = mode == Mode::Replace && ::stat(target.constData(), &old) == 0;
    if (replacing && ::access(target.constData(), W_OK) != 0)
        return StoreError{
            StoreError::DOMAIN_NAME, StoreError::ReadOnly,
            QStringLiteral("The calendar file \"%1\" is read-only.").arg(QFileInfo(path).fileName()),
            QStringLiteral("Allow writing to the file, or leave the event as it is.")};
    const std::optional<FileReplacement::Failure> failure = FileReplacement::write(
        target, bytes,
        mode == Mode::Create ? FileReplacement::Placing::OnlyWhereNone : FileReplacement::Placing::OverAnyOld,
        replacing ? &old : nullptr);
    if (!failure)
        return std::nullopt;
    if (failure->placing && failure->error == EEXIST)
        return StoreError{StoreError::DOMAIN_NAME, StoreError::ChangedOnDisk,
                          QStringLiteral("Another program has just created the calendar file \"%1\".")
                              .arg(QFileInfo(path).fileName()),
                          QStringLiteral("Nothing was overwritten. Try again.")};
    return writeFailure(path, *resolved, failure->error);
}

std::optional<StoreError> AtomicFileWriter::remove(const QString& path) {
    const QByteArray target = QFile::encodeName(path);
    // A link is removed, not the file it leads to: that may belong to another calendar or program.
    if (::unlink(target.constData()) != 0 && errno != ENOENT)
        return writeFailure(path, path, errno);
    FileReplacement::syncDirectory(QFile::encodeName(QFileInfo(path).absolutePath()));
    return std::nullopt;
}

void AtomicFileWriter::removeStaleTemporaries(const QString& folderPath) {
    static const QRegularExpression ours(
        QStringLiteral("^.+\\.ics\\.[0-9a-f]{%1}\\.tmp$").arg(FileReplacement::TEMPORARY_TAG_LENGTH));
    const QDateTime staleBefore = QDateTime::currentDateTimeUtc().addSecs(-STALE_AFTER_SECONDS);
    const QStringList names = regularFileNames(
        folderPath, [](QByteArrayView name) { return name.endsWith(".tmp"); }, false);
    for (const QString& name : names) {
        const QFileInfo file(QDir(folderPath).filePath(name));
        if (!ours.match(name).hasMatch() || file.lastModified().toUTC() >= staleBefore)
            continue;
        if (QFile::remove(file.filePath()))
            VL_LOG(LCALSTORE, Logger::LOG_INFO_LEVEL,
                   QStringLiteral("Removed %1, left by a write that did not finish").arg(file.filePath()));
    }
}
