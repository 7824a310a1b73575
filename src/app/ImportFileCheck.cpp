#include "ImportFileCheck.h"

#include <QCoreApplication>
#include <QFileInfo>

QString ImportFileCheck::refusal(const QString& path) {
    const auto tr = [](const char* text) { return QCoreApplication::translate("ImportFileCheck", text); };
    // Not QDir::isAbsolutePath(): that takes ":/…", a file built into this program, for a full path.
    if (!path.startsWith(u'/') || path.contains(QChar(0)))
        return tr("“%1” is not the full path of a file.").arg(path);
    const QFileInfo file(path);
    if (!file.exists())
        return tr("“%1” does not exist.").arg(path);
    if (file.isDir())
        return tr("“%1” is a folder, not a calendar file.").arg(path);
    if (!file.isFile())
        return tr("“%1” is not a regular file.").arg(path);
    if (!file.isReadable())
        return tr("“%1” cannot be read: permission denied.").arg(path);
    return QString();
}
