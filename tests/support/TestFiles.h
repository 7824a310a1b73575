#pragma once

#include <QByteArray>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QString>

// Makes `path` hold exactly `bytes`, with the folders on the way; whether all of it was written.
inline bool writeFile(const QString& path, const QByteArray& bytes = {}) {
    QFile file(path);
    return QDir().mkpath(QFileInfo(path).path()) && file.open(QIODevice::WriteOnly | QIODevice::Truncate) &&
           file.write(bytes) == bytes.size() && file.flush();
}

// The same for a script its owner may run.
inline bool writeScript(const QString& path, const QByteArray& script) {
    return writeFile(path, script) &&
           QFile::setPermissions(path, QFile::permissions(path) | QFileDevice::ExeOwner);
}

// The bytes of a file, or a marker no test expects when it cannot be read.
inline QByteArray readFile(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<unreadable>");
}
