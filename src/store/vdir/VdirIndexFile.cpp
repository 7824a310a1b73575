#include "VdirIndexFile.h"

#include <cerrno>

#include <unistd.h>

std::shared_ptr<const VdirIndexFile> VdirIndexFile::open(const QString& path, qint64 maxSize,
                                                         BoundedFile::Contents& refusal) {
    const BoundedFile::Opened opened = BoundedFile::open(path, maxSize, BoundedFile::Links::Refuse);
    if (opened.descriptor < 0) {
        refusal = opened.refusal;
        return nullptr;
    }
    return std::shared_ptr<const VdirIndexFile>(new VdirIndexFile(opened.descriptor, opened.size));
}

VdirIndexFile::~VdirIndexFile() {
    ::close(m_descriptor);
}

std::optional<QByteArray> VdirIndexFile::read(qint64 at, qint64 size) const {
    if (at < 0 || size < 0 || size > m_size - at)
        return std::nullopt;
    QByteArray bytes(qsizetype(size), Qt::Uninitialized);
    for (qint64 done = 0; done < size;) {
        const ssize_t n = ::pread(m_descriptor, bytes.data() + done, size_t(size - done), off_t(at + done));
        if (n < 0 && errno == EINTR)
            continue;
        // A file cut short by another program ends early.
        if (n <= 0)
            return std::nullopt;
        done += n;
    }
    return bytes;
}
