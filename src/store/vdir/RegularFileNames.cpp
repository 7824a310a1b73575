#include "RegularFileNames.h"

#include <QFile>

#include <algorithm>
#include <memory>

#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>

QStringList regularFileNames(const QString& folderPath,
                             const std::function<bool(QByteArrayView name)>& wanted, bool followLinks) {
    QStringList names;
    const std::unique_ptr<DIR, int (*)(DIR*)> folder(::opendir(QFile::encodeName(folderPath).constData()),
                                                     &::closedir);
    if (!folder)
        return names;
    while (const dirent* entry = ::readdir(folder.get())) {
        if (!wanted(QByteArrayView(entry->d_name)))
            continue;
        bool regular = entry->d_type == DT_REG;
        // File systems that do not say the type, and links when they are followed, need a stat.
        if (entry->d_type == DT_UNKNOWN || (followLinks && entry->d_type == DT_LNK)) {
            struct stat info {};
            regular = ::fstatat(::dirfd(folder.get()), entry->d_name, &info,
                                followLinks ? 0 : AT_SYMLINK_NOFOLLOW) == 0 &&
                      S_ISREG(info.st_mode);
        }
        if (regular)
            names.append(QFile::decodeName(entry->d_name));
    }
    std::sort(names.begin(), names.end());
    return names;
}
