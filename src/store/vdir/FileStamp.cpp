#include "FileStamp.h"

#include <QFile>

#include <fcntl.h>
#include <sys/stat.h>

namespace {

std::int64_t nanoseconds(const timespec& time) {
    return std::int64_t(time.tv_sec) * 1000000000 + time.tv_nsec;
}

std::optional<FileStamp> stampAt(int folderDescriptor, const QString& path) {
    struct stat info {};
    if (::fstatat(folderDescriptor, QFile::encodeName(path).constData(), &info, 0) != 0)
        return std::nullopt;
    return FileStamp{nanoseconds(info.st_mtim), nanoseconds(info.st_ctim), std::uint64_t(info.st_ino),
                     std::int64_t(info.st_size)};
}

} // namespace

std::optional<FileStamp> FileStamp::of(const QString& path) {
    return stampAt(AT_FDCWD, path);
}

std::optional<FileStamp> FileStamp::of(int folderDescriptor, const QString& name) {
    return stampAt(folderDescriptor, name);
}
