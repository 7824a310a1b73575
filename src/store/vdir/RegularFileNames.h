#pragma once

#include <QByteArrayView>
#include <QString>
#include <QStringList>

#include <functional>

// The names of the regular files in a folder that `wanted` accepts, sorted. Read with readdir, not QDir,
// which builds a file info for each of the thousands of event files a calendar can hold. With
// `followLinks`, a link to a regular file counts as one; without, links are left out.
QStringList regularFileNames(const QString& folderPath,
                             const std::function<bool(QByteArrayView name)>& wanted, bool followLinks);
