#pragma once

#include "vdir/FileStamp.h"

#include <QJsonArray>
#include <QString>
#include <QUrl>

#include <optional>

class CalAlarm;
class CalEvent;

// The run-program alarms that this user chose in Verdalune's editor on this computer: only these run.
// A calendar file comes from anywhere (a server, an import, a subscription), so a program named in one
// is nobody's choice here. Each approval holds the calendar, the event, the program and its argument;
// a change of any of them by another program voids it. Kept for the user only, beside the helper's
// state, where no sync or import writes; read afresh at every question, so that the helper sees what
// the main program approved without a restart.
class ProgramAlarmApprovals {
public:
    // A bound far above what a user approves in a lifetime; a larger file is not ours.
    static constexpr qint64 MAX_FILE_SIZE = 1 << 20;

    static QString defaultPath();
    explicit ProgramAlarmApprovals(QString path) : m_path(std::move(path)) {}

    QString path() const { return m_path; }
    bool isApproved(const QString& calendarUid, const QString& eventUid, const QUrl& program,
                    const QString& argument) const;
    bool isApproved(const CalEvent& event, const CalAlarm& alarm) const;
    // False, with one log line, when the file could not be written: the alarm then does not run.
    bool approve(const CalEvent& event, const CalAlarm& alarm);

private:
    // The approvals on disk, read again only when the file changed: a burst of alarms asks many times.
    const QJsonArray& approvals() const;

    QString m_path;
    mutable std::optional<FileStamp> m_readStamp;
    mutable QJsonArray m_approvals;
};
