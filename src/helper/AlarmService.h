#pragma once

#include "DesktopNotifications.h"
#include "FiredAlarmLog.h"
#include "PendingAlarm.h"
#include "SnoozedAlarms.h"
#include "WakeUpWatcher.h"

#include <QDateTime>
#include <QHash>
#include <QList>
#include <QObject>
#include <QSet>
#include <QTimer>

#include <chrono>

class CalendarStore;
class DateFormatter;
class ProgramAlarmApprovals;
class SoundPlayer;

// Delivers the alarms of the store's events at their trigger moments: a notification for message,
// email and sound alarms (sound alarms also play their sound), the program for run-program alarms that
// the user set up on this computer, and a notification that names the program for any other.
// More than a few alarms in one minute make one summary notification (AlarmGrouping) and one sound.
//
// One timer waits for the next trigger, or for the end of the window of alarms looked up ahead; every
// change of the store looks again. An alarm found late, because the machine slept or the helper was not
// running, fires once while it is less than LATE_LIMIT late and is dropped after. What fired is kept
// in the state file, so nothing fires twice; a notification the server did not take is tried again in
// this run (see DesktopNotifications).
class AlarmService : public QObject {
    Q_OBJECT
public:
    static constexpr std::chrono::seconds LATE_LIMIT{3600};
    static constexpr std::chrono::seconds LOOK_AHEAD{3 * 86400};
    static constexpr std::chrono::seconds SNOOZE_DELAY{300};

    // `stateFile` is normally FiredAlarmLog::defaultPath(). Nothing fires before start(). A program alarm
    // runs only when `approvals` holds it and its calendar is editable; any other is shown as a message.
    AlarmService(CalendarStore& store, SoundPlayer& sounds, const DateFormatter& formatter,
                 const QString& stateFile, const ProgramAlarmApprovals& approvals, QObject* parent = nullptr);

    // Looks up the alarms, fires those missed within LATE_LIMIT, and waits for the next one.
    void start();
    // How long "Snooze" puts an alarm off; shorter only in tests.
    void setSnoozeDelay(std::chrono::milliseconds delay) { m_snoozeDelay = delay; }
    // How long a notification call may stay unanswered, and the wait before a failed one is tried
    // again; shorter only in tests.
    void setNotificationPatience(std::chrono::milliseconds callTimeout,
                                 std::chrono::milliseconds retryDelay) {
        m_notifications.setPatience(callTimeout, retryDelay);
    }

signals:
    // The user chose "Open" on an alarm's notification: the occurrence starting at `occurrenceStart`.
    // On a summary of several alarms no occurrence is meant (an empty uid): the program itself.
    void openRequested(const QString& eventUid, const QDateTime& occurrenceStart);

private:
    void lookUpSoon();
    void onTimeout();
    void lookUp(const QDateTime& now);
    void fireDue(const QDateTime& now);
    void scheduleNext(const QDateTime& now);
    void deliver(const PendingAlarm& alarm);
    QString programRefusal(const PendingAlarm& alarm) const;
    void runProgram(const PendingAlarm& alarm);
    void deliverSummary(const QList<PendingAlarm>& alarms);
    void playSound(const QString& sound);
    QString bodyOf(const PendingAlarm& alarm) const;
    QString summaryBodyOf(const QList<PendingAlarm>& alarms) const;
    void notify(const PendingAlarm& alarm, const QString& body);
    void onAction(quint64 tag, const QString& action);

    CalendarStore& m_store;
    SoundPlayer& m_sounds;
    const DateFormatter& m_formatter;
    const ProgramAlarmApprovals& m_approvals;
    FiredAlarmLog m_log;
    SnoozedAlarms m_snoozedFile;
    DesktopNotifications m_notifications;
    WakeUpWatcher m_wakeUps;
    QTimer m_timer;
    bool m_lookUpDue = false; // the timer runs for a new look-up rather than for a trigger
    QDateTime m_windowEnd;    // alarms are known up to here
    // Not yet fired, each by trigger: the store's, and those put off by "Snooze", which outlive a look-up.
    QList<PendingAlarm> m_planned;
    QList<PendingAlarm> m_snoozed;
    QHash<quint64, PendingAlarm> m_shown; // by notification tag
    QSet<quint64> m_summaries;            // the tags of summaries shown
    quint64 m_nextTag = 1;
    std::chrono::milliseconds m_snoozeDelay = SNOOZE_DELAY;
};
