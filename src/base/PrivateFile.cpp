#include "PrivateFile.h"

#include "FileReplacement.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <cerrno>
#include <cstring>
#include <sys/stat.h>

namespace {

QString errorText(int error) {
    return QString::fromLocal8Bit(std::strerror(error));
}

} // namespace

PrivateFile::Contents PrivateFile::read(const QString& path, qint64 maxSize) {
    return BoundedFile::read(path, maxSize, BoundedFile::Links::Refuse);
}

std::optional<QString> PrivateFile::write(const QString& path, const QByteArray& bytes) {
    return write(path, QList<QByteArrayView>{bytes});
}

std::optional<QString> PrivateFile::write(const QString& path, const QList<QByteArrayView>& pieces) {
    // A missing parent is made the usual way; the folder itself is for the user only.
    const QString folder = QFileInfo(path).absolutePath();
    if (!QFileInfo(folder).isDir()) {
        QDir().mkpath(QFileInfo(folder).path());
        if (::mkdir(QFile::encodeName(folder).constData(), 0700) != 0 && errno != EEXIST)
            return errorText(errno);
    }
    if (const auto failure = FileReplacement::write(QFile::encodeName(path), pieces,
                                                    FileReplacement::Placing::OverAnyOld, nullptr, 0600))
        return errorText(failure->error);
    return std::nullopt;
}
