#pragma once

#include "PendingAlarm.h"

#include <QList>
#include <QString>

// The reminders the user snoozed, kept in a file of the helper's state folder so that a restart (a logout,
// an update) does not lose them. They come back as reminders only: what the file says never runs a
// program, since anything may have written it.
class SnoozedAlarms {
public:
    // Far more than any user snoozes; a larger file, or anything but a plain file, is not read.
    static constexpr qint64 MAX_FILE_SIZE = qint64(1) << 20;

    // The file beside the helper's state file `stateFile`.
    explicit SnoozedAlarms(const QString& stateFile);

    QString path() const { return m_path; }
    // What the file holds; a missing or damaged file holds nothing.
    QList<PendingAlarm> load() const;
    // Replaces the file in one step; false when it could not be written.
    bool save(const QList<PendingAlarm>& alarms) const;

private:
    QString m_path;
};
