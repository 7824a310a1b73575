#pragma once

#include "PendingAlarm.h"

#include <QDateTime>
#include <QHash>
#include <QList>
#include <QString>

// The alarms that have fired, kept in the helper's state file so that none fires twice, not even across
// a restart: for each occurrence (its event's uid and original start, which moving it keeps) the last
// moment one of its alarms fired. An alarm whose trigger is not after that moment has fired; one whose
// event moved so far that it now triggers later alerts again.
class FiredAlarmLog {
public:
    // Entries older than this are forgotten; an alarm this late is dropped unfired anyway.
    static constexpr qint64 KEEP_SECONDS = 2 * 86400;
    // Far more than two days of alarms need; a larger file, or anything but a plain file, is not read.
    static constexpr qint64 MAX_FILE_SIZE = qint64(16) << 20;

    // $XDG_STATE_HOME/verdalune/helper-state.json, with ~/.local/state standing in for an unset variable.
    static QString defaultPath();

    // Reads the file; a missing or damaged one, or whatever else is at the path, reads as empty (and is
    // replaced at the next record).
    explicit FiredAlarmLog(QString path);

    QString path() const { return m_path; }
    bool contains(const PendingAlarm& alarm) const;
    // Adds the alarms, forgets old entries and replaces the file in one step. False when it could not be
    // written; the alarms are remembered for this run all the same.
    bool record(const QList<PendingAlarm>& alarms, const QDateTime& now);

private:
    static QString keyOf(const QString& uid, const QDateTime& occurrence);
    void load();
    bool save() const;

    struct Entry {
        QString uid;
        QDateTime occurrence; // invalid for a single event and for an absolute trigger: one per series
        QDateTime fired;
    };
    QString m_path;
    QHash<QString, Entry> m_entries; // by key
};
