#pragma once

#include "PendingAlarm.h"

#include <QDateTime>
#include <QHash>
#include <QList>
#include <QString>

// The alarms that have fired, kept in the helper's state file so that none fires twice, not even across
// a restart. An alarm is known by its event's uid, its occurrence's start and its trigger moment: an
// event moved to another time has a new trigger and alerts again.
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
    static QString keyOf(const QString& uid, const QDateTime& occurrence, const QDateTime& trigger);
    void load();
    bool save() const;

    struct Entry {
        QString uid;
        QDateTime occurrence; // invalid for an absolute trigger: one per series
        QDateTime trigger;
    };
    QString m_path;
    QHash<QString, Entry> m_entries; // by key
};
