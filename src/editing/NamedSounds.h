#pragma once

#include <QFileInfoList>
#include <QString>
#include <QStringList>

// The names of the sounds installed for the user and the system: the files of the sound folders below
// $XDG_DATA_HOME and each of $XDG_DATA_DIRS, named without their extension.
class NamedSounds {
public:
    // The user's folder first, then the system's, in the order of $XDG_DATA_DIRS.
    static QStringList soundFolders();
    // Every sound file below the folders, walked recursively, in the order found: neither sorted nor freed
    // of duplicates.
    static QFileInfoList soundFilesIn(const QStringList& folders);
    static QStringList namedSoundsIn(const QStringList& folders);
    // The names with the sound theme's alarm sounds that are among them moved to the front, in the order
    // they suit an alarm: an alarm's sound is offered from these before the theme's other sounds (of a
    // network connection coming up, a device plugged in, ...).
    static QStringList alarmSoundsFirst(QStringList names);
    // The names in the sound folders, alarm sounds first, found once per process.
    static QStringList namedSounds();
    // The first file of that name in the sound folders, or an empty path.
    static QString soundFile(const QString& name);
};
