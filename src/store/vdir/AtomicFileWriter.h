#pragma once

#include "FileWriter.h"

// Writes a temporary file beside the target, flushes it to the disk and then moves it into place:
// linked for a new file (so an existing one is never overwritten), renamed over an old one. A file that
// is a symbolic link stays one: the file it leads to is replaced, beside itself.
class AtomicFileWriter : public FileWriter {
public:
    [[nodiscard]] std::optional<StoreError> write(const QString& path, const QByteArray& bytes,
                                                  Mode mode) override;
    [[nodiscard]] std::optional<StoreError> remove(const QString& path) override;

    // Removes from `folderPath` the temporary event files of writers that were killed before moving
    // them into place: only names of our own making, and only when too old to belong to a write still
    // under way.
    static void removeStaleTemporaries(const QString& folderPath);
};
