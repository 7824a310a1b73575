#pragma once

#include "FileWriter.h"
#include "records/CalCalendar.h"

#include <QByteArrayView>
#include <QStringList>

#include <memory>

// One calendar folder of the vdir tree: its name is the calendar's uid; beside the event files it may
// hold "displayname", "color", "readonly" (the calendar is not editable) and "type" ("caldav": kept in
// step by another program).
class VdirCalendarFolder {
public:
    static std::shared_ptr<CalCalendar> readCalendar(const QString& folderPath);
    [[nodiscard]] static std::optional<StoreError>
    writeMetadata(FileWriter& writer, const QString& folderPath, const CalCalendar& calendar);
    // The event files: regular files ending in ".ics", not hidden, not temporary files of a writer.
    static QStringList itemFileNames(const QString& folderPath);
    // Whether a file of that name in a calendar folder holds events: a visible .ics file.
    static bool isItemFileName(QByteArrayView name);
    // Calendar folders below the root: sub-directories that are not hidden.
    static QStringList calendarFolderNames(const QString& rootPath);
};
