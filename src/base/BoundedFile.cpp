#include "BoundedFile.h"

#include <QFile>

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

QString errorText(int error) {
    return QString::fromLocal8Bit(std::strerror(error));
}

// Reads to the end, but never more than `limit` bytes: the file may grow after it was looked at.
bool readAtMost(int descriptor, qint64 expected, qint64 limit, QByteArray& bytes) {
    bytes.reserve(qsizetype(std::min(expected, limit) + 1));
    char chunk[65536];
    while (bytes.size() <= limit) {
        const ssize_t n = ::read(descriptor, chunk, sizeof chunk);
        if (n < 0 && errno == EINTR)
            continue;
        if (n < 0)
            return false;
        if (n == 0)
            break;
        bytes.append(chunk, qsizetype(n));
    }
    return true;
}

BoundedFile::Contents tooLarge(qint64 maxSize) {
    return {BoundedFile::Outcome::Refused, {}, QStringLiteral("larger than %1 bytes").arg(maxSize), true};
}

BoundedFile::Contents readOpen(int descriptor, qint64 expected, qint64 maxSize) {
    BoundedFile::Contents result{BoundedFile::Outcome::Read, {}, {}};
    if (!readAtMost(descriptor, expected, maxSize, result.bytes))
        return {BoundedFile::Outcome::Refused, {}, errorText(errno)};
    if (result.bytes.size() > maxSize)
        return tooLarge(maxSize);
    result.bytes.squeeze();
    return result;
}

} // namespace

BoundedFile::Contents BoundedFile::read(const QString& path, qint64 maxSize, Links links) {
    const Opened opened = open(path, maxSize, links);
    if (opened.descriptor < 0)
        return opened.refusal;
    Contents result = readOpen(opened.descriptor, opened.size, maxSize);
    ::close(opened.descriptor);
    return result;
}

BoundedFile::Opened BoundedFile::open(const QString& path, qint64 maxSize, Links links) {
    const int flags = O_RDONLY | O_NONBLOCK | O_CLOEXEC | (links == Links::Refuse ? O_NOFOLLOW : 0);
    const int descriptor = ::open(QFile::encodeName(path).constData(), flags);
    if (descriptor < 0) {
        if (errno == ENOENT)
            return {-1, 0, {Outcome::Missing, {}, {}}};
        return {-1,
                0,
                {Outcome::Refused,
                 {},
                 errno == ELOOP && links == Links::Refuse ? QStringLiteral("a link") : errorText(errno)}};
    }
    Opened result{-1, 0, {Outcome::Refused, {}, {}}};
    struct stat info {};
    if (::fstat(descriptor, &info) != 0)
        result.refusal.why = errorText(errno);
    else if (!S_ISREG(info.st_mode))
        result.refusal.why = QStringLiteral("not a regular file");
    else if (info.st_size > maxSize)
        result.refusal = tooLarge(maxSize);
    else
        return {descriptor, qint64(info.st_size), {}};
    ::close(descriptor);
    return result;
}

BoundedFile::Contents BoundedFile::readStream(int descriptor, qint64 maxSize) {
    return readOpen(descriptor, 0, maxSize);
}
