#pragma once

#include "base/BoundedFile.h"

#include <QByteArray>
#include <QString>

#include <memory>
#include <optional>

// The store's index file, held open so that the texts and series in it are read only when a query or a
// change needs them. The descriptor keeps the version that was opened readable when another process
// replaces the index meanwhile.
class VdirIndexFile {
public:
    // Nothing for anything but a regular file of at most `maxSize` bytes (links are not followed);
    // `refusal` says why.
    static std::shared_ptr<const VdirIndexFile> open(const QString& path, qint64 maxSize,
                                                     BoundedFile::Contents& refusal);
    ~VdirIndexFile();
    VdirIndexFile(const VdirIndexFile&) = delete;
    VdirIndexFile& operator=(const VdirIndexFile&) = delete;

    qint64 size() const { return m_size; }
    // Nothing when the range lies beyond the size the file had when it was opened, or cannot be read.
    std::optional<QByteArray> read(qint64 at, qint64 size) const;

private:
    VdirIndexFile(int descriptor, qint64 size) : m_descriptor(descriptor), m_size(size) {}

    int m_descriptor;
    qint64 m_size;
};
