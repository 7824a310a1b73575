#include "CalendarStoreLocation.h"

#include "AtomicFileWriter.h"
#include "VdirCalendarFolder.h"

#include <QDir>
#include <QFile>
#include <QUuid>

#include <QStandardPaths>
#include <cstdio>

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

namespace {

bool writeHome(const QString& folder) {
    CalCalendar calendar;
    calendar.uid = QStringLiteral("home");
    calendar.title = QStringLiteral("Home");
    AtomicFileWriter writer;
    return !VdirCalendarFolder::writeMetadata(writer, folder, calendar);
}

} // namespace

bool CalendarStoreLocation::prepare(const QString& root) {
    if (!QDir().mkpath(root))
        return false;
    const QStringList calendars = VdirCalendarFolder::calendarFolderNames(root);
    const QDir home(QDir(root).filePath(QStringLiteral("home")));
    // A "Home" cut short before this way of making it (by a full disk, say): completed now.
    if (calendars == QStringList{QStringLiteral("home")} && !home.exists(QStringLiteral("displayname")) &&
        VdirCalendarFolder::itemFileNames(home.path()).isEmpty())
        return writeHome(home.path());
    if (!calendars.isEmpty())
        return true;
    // Made aside, hidden, and renamed into place: no start ever finds it half made.
    const QString staging =
        QDir(root).filePath(QStringLiteral(".home.%1.tmp").arg(QUuid::createUuid().toString(QUuid::Id128)));
    const bool made =
        QDir().mkpath(staging) && writeHome(staging) &&
        ::rename(QFile::encodeName(staging).constData(), QFile::encodeName(home.path()).constData()) == 0;
    if (!made)
        QDir(staging).removeRecursively();
    // Another process starting at the same moment may have made it first.
    return made || home.exists(QStringLiteral("displayname"));
}
