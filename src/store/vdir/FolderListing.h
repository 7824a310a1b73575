#pragma once

#include "FileStamp.h"

#include <QString>

#include <optional>

// The stamp a calendar folder's listing is recorded with in the index, so that a later start finding the
// folder with the same stamp may take the listing for what the folder holds.
class FolderListing {
public:
    // Nothing when the folder might change without its stamp showing it: it changed too recently for the
    // clock to have moved on (another change in the same tick would keep the stamp), or it lies on a
    // network or user-space file system, whose stamps may be cached, or set by another machine's clock.
    static std::optional<FileStamp> stampOf(const QString& folderPath);
};
