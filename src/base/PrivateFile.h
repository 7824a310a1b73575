#pragma once

#include "BoundedFile.h"

#include <QByteArray>
#include <QByteArrayView>
#include <QList>
#include <QString>

#include <optional>

// The files the programs keep for themselves: caches, state, approvals. Whatever else sits at such a
// path (a link, a pipe, a device, a folder, a huge file) is never read, waited on or written through:
// reading refuses it, and writing puts a new file of the user's alone in its place by rename.
class PrivateFile {
public:
    using Outcome = BoundedFile::Outcome; // Missing: a first run
    using Contents = BoundedFile::Contents;

    // Opens without following a link and without blocking, and reads only a regular file of at most
    // `maxSize` bytes.
    static Contents read(const QString& path, qint64 maxSize);
    // Replaces whatever is at `path` with `bytes` in one step, readable by the user only, making its
    // folder (for the user only) where missing. The reason when it could not.
    static std::optional<QString> write(const QString& path, const QByteArray& bytes);
    // The contents in pieces, one after the other.
    static std::optional<QString> write(const QString& path, const QList<QByteArrayView>& pieces);
};
