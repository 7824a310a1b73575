#include "NamedSounds.h"

#include <QDir>
#include <QDirIterator>

namespace {

QString variableOr(const char* name, const QString& fallback) {
    const QString value = qEnvironmentVariable(name);
    return value.isEmpty() ? fallback : value;
}

} // namespace

QStringList NamedSounds::soundFolders() {
    QStringList folders{variableOr("XDG_DATA_HOME", QDir::homePath() + QStringLiteral("/.local/share"))};
    folders += variableOr("XDG_DATA_DIRS", QStringLiteral("/usr/local/share:/usr/share"))
                   .split(u':', Qt::SkipEmptyParts);
    for (QString& folder : folders)
        folder += QStringLiteral("/sounds");
    return folders;
}

QFileInfoList NamedSounds::soundFilesIn(const QStringList& folders) {
    static const QStringList SOUND_FILES{QStringLiteral("*.oga"), QStringLiteral("*.ogg"),
                                         QStringLiteral("*.wav"), QStringLiteral("*.flac")};
    QFileInfoList files;
    for (const QString& folder : folders) {
        QDirIterator it(folder, SOUND_FILES, QDir::Files, QDirIterator::Subdirectories);
        while (it.hasNext()) {
            it.next();
            files.append(it.fileInfo());
        }
    }
    return files;
}

QStringList NamedSounds::namedSoundsIn(const QStringList& folders) {
    QStringList names;
    for (const QFileInfo& file : soundFilesIn(folders))
        names.append(file.completeBaseName());
    return names;
}

QStringList NamedSounds::alarmSoundsFirst(QStringList names) {
    static const QString ALARM_SOUNDS[] = {QStringLiteral("alarm-clock-elapsed"), QStringLiteral("bell"),
                                           QStringLiteral("complete")};
    qsizetype front = 0;
    for (const QString& alarmSound : ALARM_SOUNDS) {
        const qsizetype index = names.indexOf(alarmSound, front);
        if (index >= 0)
            names.move(index, front++);
    }
    return names;
}

QStringList NamedSounds::namedSounds() {
    static const QStringList SOUND_NAMES = alarmSoundsFirst(namedSoundsIn(soundFolders()));
    return SOUND_NAMES;
}

QString NamedSounds::soundFile(const QString& name) {
    for (const QFileInfo& file : soundFilesIn(soundFolders())) {
        if (file.completeBaseName() == name)
            return file.filePath();
    }
    return QString();
}
