#include "CalendarStoreLocation.h"

#include "AtomicFileWriter.h"
#include "VdirCalendarFolder.h"

#include <QDir>
#include <QStandardPaths>

QString CalendarStoreLocation::rootDirectory(const QString& configured) {
    const QString fromEnvironment = qEnvironmentVariable("VERDALUNE_CALENDAR_DIR");
    if (!fromEnvironment.isEmpty())
        return fromEnvironment;
    if (!configured.isEmpty())
        return configured;
    QString data = qEnvironmentVariable("XDG_DATA_HOME");
    if (data.isEmpty())
        data = QDir::home().filePath(QStringLiteral(".local/share"));
    return QDir(data).filePath(QStringLiteral("verdalune/calendars"));
}

bool CalendarStoreLocation::prepare(const QString& root) {
    if (!QDir().mkpath(root))
        return false;
    if (!VdirCalendarFolder::calendarFolderNames(root).isEmpty())
        return true;
    const QString home = QDir(root).filePath(QStringLiteral("home"));
    if (!QDir().mkpath(home))
        return false;
    CalCalendar calendar;
    calendar.uid = QStringLiteral("home");
    calendar.title = QStringLiteral("Home");
    AtomicFileWriter writer;
    return !VdirCalendarFolder::writeMetadata(writer, home, calendar);
}
