#pragma once

#include "store/StoreError.h"

#include <QByteArray>
#include <QString>

#include <optional>

// Writes and removes calendar files so that a reader sees either the old file or the new one, never a
// part of either. Kept behind an interface so that tests can make writing fail as a full disk would.
class FileWriter {
public:
    enum class Mode {
        Create,  // fails when the file exists: never clobbers a file another program just made
        Replace, // the file exists and is replaced as a whole
    };

    virtual ~FileWriter() = default;
    [[nodiscard]] virtual std::optional<StoreError> write(const QString& path, const QByteArray& bytes,
                                                          Mode mode) = 0;
    [[nodiscard]] virtual std::optional<StoreError> remove(const QString& path) = 0;
};
