#pragma once

#include "FileWriter.h"

// Writes a temporary file beside the target, flushes it to the disk and then moves it into place:
// linked for a new file (so an existing one is never overwritten), renamed over an old one.
class AtomicFileWriter : public FileWriter {
public:
    [[nodiscard]] std::optional<StoreError> write(const QString& path, const QByteArray& bytes,
                                                  Mode mode) override;
    [[nodiscard]] std::optional<StoreError> remove(const QString& path) override;
};
