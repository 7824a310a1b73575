#pragma once

#include "store/ics/IcsReader.h"

#include <QDirIterator>
#include <QFile>
#include <QStringList>

#include <stdexcept>

// The corpus of iCalendar files written by other programs (tests/data/ics-corpus, sources in its
// SOURCES.md). A missing file throws, which fails the test instead of crashing it.
inline QString corpusPath(const QString& relative) {
    return QStringLiteral(VERDALUNE_ICS_CORPUS "/") + relative;
}

inline QByteArray corpusText(const QString& relative) {
    QFile file(corpusPath(relative));
    if (!file.open(QIODevice::ReadOnly))
        throw std::runtime_error("missing corpus file " + relative.toStdString());
    return file.readAll();
}

inline IcsReadResult readCorpus(const QString& relative) {
    return IcsReader::read(corpusText(relative));
}

inline QStringList corpusFiles() {
    QStringList files;
    QDirIterator it(QStringLiteral(VERDALUNE_ICS_CORPUS), {QStringLiteral("*.ics")}, QDir::Files,
                    QDirIterator::Subdirectories);
    while (it.hasNext())
        files.append(it.next().mid(QStringLiteral(VERDALUNE_ICS_CORPUS "/").size()));
    files.sort();
    return files;
}

inline QDateTime utc(int year, int month, int day, int hour = 0, int minute = 0, int second = 0) {
    return QDateTime(QDate(year, month, day), QTime(hour, minute, second), Qt::UTC);
}
