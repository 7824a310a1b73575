#pragma once

#include "store/StoreError.h"

#include <QString>

#include <optional>

// Lets one of our processes at a time change the files of a calendar folder: held from checking that a
// file is as it was read to replacing or removing it, so that two writers cannot both pass the check.
// An advisory lock on a hidden file of the folder, which neither the store nor its peers read; other
// programs do not take it, their changes are still caught by the check alone.
class FolderLock {
public:
    static inline const QString FILE_NAME = QStringLiteral(".verdalune.lock");

    // Waits for the lock; failure() says why it could not be had.
    explicit FolderLock(const QString& folderPath);
    ~FolderLock();
    FolderLock(const FolderLock&) = delete;
    FolderLock& operator=(const FolderLock&) = delete;

    const std::optional<StoreError>& failure() const { return m_failure; }

private:
    int m_descriptor = -1;
    std::optional<StoreError> m_failure;
};
