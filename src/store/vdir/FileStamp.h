#pragma once

#include <QString>

#include <algorithm>
#include <cstdint>
#include <optional>

// What identifies one state of a file without reading it: a file replaced by rename gets a new inode,
// one written in place a new modification time or size, and every change a new inode change time, which
// (unlike the modification time) no program can set back.
struct FileStamp {
    std::int64_t modifiedNs = 0;
    std::int64_t changedNs = 0;
    std::uint64_t inode = 0;
    std::int64_t size = 0;

    static std::optional<FileStamp> of(const QString& path);
    // Of the file `name` in the open folder: no path to walk for each of a folder's thousands of files.
    static std::optional<FileStamp> of(int folderDescriptor, const QString& name);
    // When it last changed: the inode change time counts, as the modification time may have been set back.
    std::int64_t lastChangeNs() const { return std::max(modifiedNs, changedNs); }
    bool operator==(const FileStamp&) const = default;
};
