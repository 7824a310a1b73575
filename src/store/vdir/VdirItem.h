#pragma once

#include "FileStamp.h"
#include "records/CalEventSource.h"
#include "store/ics/IcsSeries.h"

#include <QList>
#include <QString>

#include <memory>
#include <optional>

// One event file as last read: its state on disk, its text and the series it holds.
struct VdirItem {
    FileStamp stamp;
    std::shared_ptr<const CalEventSource> source; // the text, shared with the records read from it
    QList<IcsSeries> series;

    // Nothing when the file cannot be read or is not a calendar file; `warning` says why. What a file
    // that is read had to skip or guess is logged.
    // `stamp` is the file's, taken before reading it (nothing when it could not be taken).
    static std::optional<VdirItem> load(const QString& calendarUid, const QString& folderPath,
                                        const QString& fileName, const std::optional<FileStamp>& stamp,
                                        QString& warning);
    QStringList uids() const;
};
