#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QList>

#include <optional>

#include <sys/stat.h>

// Puts new contents at a path in one step: written to a temporary file beside it, flushed to the disk,
// then renamed over the old file (or linked, so that none is overwritten). A failure at any step leaves
// the old file as it was and no temporary file behind.
class FileReplacement {
public:
    enum class Placing { OverAnyOld, OnlyWhereNone };
    // The errno of the step that failed, and whether that was the placing (where EEXIST means the name
    // was taken meanwhile).
    struct Failure {
        int error = 0;
        bool placing = false;
    };
    // Temporary files are named "<target>.<this many hex digits>.tmp".
    static constexpr int TEMPORARY_TAG_LENGTH = 12;

    // With `like`, the new file takes that file's mode and, where allowed, its owner; else `mode`.
    [[nodiscard]] static std::optional<Failure> write(const QByteArray& target, const QByteArray& bytes,
                                                      Placing placing, const struct stat* like = nullptr,
                                                      mode_t mode = 0644);
    // The contents in pieces, one after the other: a large file need not be put together in memory first.
    [[nodiscard]] static std::optional<Failure> write(const QByteArray& target,
                                                      const QList<QByteArrayView>& pieces, Placing placing,
                                                      const struct stat* like = nullptr, mode_t mode = 0644);
    // Makes a rename or unlink in the folder survive a crash.
    static void syncDirectory(const QByteArray& directory);
};
