#include "AlarmService.h"

#include "AlarmGrouping.h"
#include "AlarmPlanner.h"
#include "AlarmProgram.h"
#include "base/Logger.h"
#include "dates/DateFormatter.h"
#include "editing/SoundPlayer.h"
#include "store/CalendarStore.h"
#include "store/ProgramAlarmApprovals.h"

#include <algorithm>
#include <exception>

namespace {

const QString OPEN_ACTION = QStringLiteral("open");
const QString SNOOZE_ACTION = QStringLiteral("snooze");
const QString DEFAULT_ACTION = QStringLiteral("default");

bool earlier(const PendingAlarm& a, const PendingAlarm& b) {
    return a.trigger < b.trigger;
}

const qsizetype SUMMARY_TITLES = 5;

// Moves the alarms due by `until` from the front of `alarms` to `due`.
void takeDue(QList<PendingAlarm>& alarms, const QDateTime& until, QList<PendingAlarm>& due) {
    while (!alarms.isEmpty() && alarms.front().trigger <= until)
        due.append(alarms.takeFirst());
}

QVariantMap hintsFor(bool ownSound) {
    // Resident: a reminder stays until the user acts on it or dismisses it, where the server keeps such.
    QVariantMap hints{{QStringLiteral("desktop-entry"), QStringLiteral("com.pellowick.verdalune")},
                      {QStringLiteral("category"), QStringLiteral("x-verdalune.alarm")},
                      {QStringLiteral("resident"), true}};
    if (ownSound)
        hints.insert(QStringLiteral("suppress-sound"), true); // the alarm's own sound plays instead
    return hints;
}

} // namespace

AlarmService::AlarmService(CalendarStore& store, SoundPlayer& sounds, const DateFormatter& formatter,
                           const QString& stateFile, const ProgramAlarmApprovals& approvals, QObject* parent)
    : QObject(parent), m_store(store), m_sounds(sounds), m_formatter(formatter), m_approvals(approvals),
      m_log(stateFile), m_snoozedFile(stateFile), m_snoozed(m_snoozedFile.load()) {
    std::sort(m_snoozed.begin(), m_snoozed.end(), earlier);
    m_timer.setSingleShot(true);
    m_timer.setTimerType(Qt::PreciseTimer); // a coarse timer may be off by 5 % of days
    connect(&m_timer, &QTimer::timeout, this, &AlarmService::onTimeout);
    for (const auto signal : {&CalendarStore::eventsChanged, &CalendarStore::eventsChangedExternally,
                              &CalendarStore::calendarsChanged, &CalendarStore::calendarsChangedExternally})
        connect(&m_store, signal, this, &AlarmService::lookUpSoon);
    connect(&m_wakeUps, &WakeUpWatcher::wokeUp, this, &AlarmService::lookUpSoon);
    connect(&m_notifications, &DesktopNotifications::actionInvoked, this, &AlarmService::onAction);
    connect(&m_notifications, &DesktopNotifications::closed, this, [this](quint64 tag) {
        m_shown.remove(tag);
        m_summaries.remove(tag);
    });
}

void AlarmService::start() {
    const QDateTime now = QDateTime::currentDateTimeUtc();
    lookUp(now);
    fireDue(now);
    scheduleNext(now);
}

// Store changes come in bursts, and our own arrive in the middle of a save: one look-up after them.
void AlarmService::lookUpSoon() {
    if (!m_windowEnd.isValid())
        return; // not started
    m_lookUpDue = true;
    m_timer.start(0);
}

void AlarmService::onTimeout() {
    const QDateTime now = QDateTime::currentDateTimeUtc();
    if (m_lookUpDue || now >= m_windowEnd)
        lookUp(now);
    fireDue(now);
    scheduleNext(now);
}

void AlarmService::lookUp(const QDateTime& now) {
    m_lookUpDue = false;
    m_windowEnd = now.addSecs(LOOK_AHEAD.count());
    try {
        m_planned = AlarmPlanner::alarmsBetween(m_store, now.addSecs(-LATE_LIMIT.count()), m_windowEnd);
    } catch (const std::exception& error) {
        // The alarms known so far stay; the next change of the store looks again.
        VL_LOG(LOTHER, Logger::LOG_ERROR_LEVEL,
               QStringLiteral("the alarms could not be looked up: %1").arg(QString::fromUtf8(error.what())));
        return;
    }
    m_planned.removeIf([this](const PendingAlarm& alarm) { return m_log.contains(alarm); });
}

void AlarmService::fireDue(const QDateTime& now) {
    const auto isShown = [this](const PendingAlarm& alarm) {
        return alarm.action != CalAlarm::Procedure || !programRefusal(alarm).isEmpty();
    };
    const QDateTime until = AlarmGrouping::dueUntil(now, {&m_planned, &m_snoozed}, isShown);
    QList<PendingAlarm> due;
    takeDue(m_planned, until, due);
    const qsizetype snoozed = m_snoozed.size();
    takeDue(m_snoozed, until, due);
    if (m_snoozed.size() != snoozed)
        m_snoozedFile.save(m_snoozed);
    // The reminders of a busy minute come along early, but a program runs at its time.
    for (auto alarm = due.begin(); alarm != due.end();) {
        if (alarm->trigger <= now || isShown(*alarm)) {
            ++alarm;
            continue;
        }
        m_planned.insert(std::upper_bound(m_planned.begin(), m_planned.end(), *alarm, earlier), *alarm);
        alarm = due.erase(alarm);
    }
    due.removeIf([&](const PendingAlarm& alarm) {
        return alarm.trigger.secsTo(now) >= LATE_LIMIT.count() || m_log.contains(alarm);
    });
    if (due.isEmpty())
        return;
    // Written down first: an alarm lost in a crash is better than one repeated at every start. A
    // notification that fails is retried from memory, so the record does not stop it.
    m_log.record(due, now);
    // A program that may run is not shown; one that may not is told of like any reminder, so that a
    // file full of them gives one summary too.
    QList<PendingAlarm> shown;
    for (const PendingAlarm& alarm : due) {
        const QString refusal = alarm.action == CalAlarm::Procedure ? programRefusal(alarm) : QString();
        if (alarm.action == CalAlarm::Procedure && refusal.isEmpty()) {
            runProgram(alarm);
            continue;
        }
        if (!refusal.isEmpty())
            VL_LOG(LOTHER, Logger::LOG_WARNING_LEVEL, QStringLiteral("“%1”: %2").arg(alarm.title, refusal));
        shown.append(alarm);
    }
    for (const QList<PendingAlarm>& notification : AlarmGrouping::notificationsOf(std::move(shown))) {
        if (notification.size() == 1)
            deliver(notification.front());
        else
            deliverSummary(notification);
    }
}

void AlarmService::scheduleNext(const QDateTime& now) {
    if (m_lookUpDue) {
        m_timer.start(0);
        return;
    }
    QDateTime next = m_windowEnd;
    for (const QList<PendingAlarm>* alarms : {&m_planned, &m_snoozed})
        if (!alarms->isEmpty())
            next = std::min(next, alarms->front().trigger);
    m_timer.start(std::chrono::milliseconds(std::max<qint64>(0, now.msecsTo(next))));
}

void AlarmService::deliver(const PendingAlarm& alarm) {
    switch (alarm.action) {
    case CalAlarm::Procedure:
        notify(alarm, programRefusal(alarm) + u'\n' + bodyOf(alarm));
        return;
    case CalAlarm::Sound:
        playSound(alarm.sound);
        break;
    case CalAlarm::Display:
    case CalAlarm::Email: // no mail is sent from here: the user is told on the desktop
    case CalAlarm::NoAction:
        break;
    }
    notify(alarm, bodyOf(alarm));
}

// A calendar file can come from anywhere: its program runs only when this user chose it here. Empty when
// it may run.
QString AlarmService::programRefusal(const PendingAlarm& alarm) const {
    const QString program = alarm.program.toDisplayString(QUrl::PreferLocalFile);
    if (!alarm.calendarEditable)
        return tr("This reminder asks to run %1. It was not run, because its calendar is read-only.")
            .arg(program);
    if (!m_approvals.isApproved(alarm.calendarUid, alarm.uid, alarm.program, alarm.programArguments))
        return tr("This reminder asks to run %1. It was not run, because it was not set up on this computer.")
            .arg(program);
    return {};
}

void AlarmService::runProgram(const PendingAlarm& alarm) {
    const QString program = alarm.program.toDisplayString(QUrl::PreferLocalFile);
    VL_LOG(LOTHER, Logger::LOG_INFO_LEVEL,
           QStringLiteral("the alarm of “%1” runs %2").arg(alarm.title, program));
    if (!AlarmProgram::run(alarm.program, alarm.programArguments))
        notify(alarm, tr("The alarm's program %1 could not be run.").arg(program));
}

// One sound for the whole burst, and one notification that names the first few.
void AlarmService::deliverSummary(const QList<PendingAlarm>& alarms) {
    const auto sound = std::find_if(alarms.cbegin(), alarms.cend(), [](const PendingAlarm& alarm) {
        return alarm.action == CalAlarm::Sound;
    });
    if (sound != alarms.cend())
        playSound(sound->sound);
    const quint64 tag = m_nextTag++;
    m_summaries.insert(tag);
    const QString time =
        m_formatter.timeDescriptionWithDate(CalendarDate::fromQDateTime(alarms.front().trigger));
    m_notifications.show(tag, tr("%n reminders at %1", nullptr, int(alarms.size())).arg(time),
                         summaryBodyOf(alarms), {DEFAULT_ACTION, tr("Open"), OPEN_ACTION, tr("Open")},
                         hintsFor(sound != alarms.cend()));
}

void AlarmService::playSound(const QString& sound) {
    if (!m_sounds.play(sound))
        VL_LOG(LOTHER, Logger::LOG_WARNING_LEVEL,
               QStringLiteral("the alarm sound \"%1\" could not be played").arg(sound));
}

QString AlarmService::bodyOf(const PendingAlarm& alarm) const {
    const QString time = m_formatter.dateDescription(CalendarDate::fromQDateTime(alarm.occurrenceStart),
                                                     CalendarDate::fromQDateTime(alarm.end));
    // One line each: a place or a note holding line breaks must not look like more.
    QStringList lines{time};
    for (const QString& line : {alarm.calendarTitle, alarm.location, alarm.notes})
        if (const QString shown = line.simplified(); !shown.isEmpty())
            lines.append(shown);
    return lines.join(u'\n');
}

// A title on each line: one holding line breaks must not look like several.
QString AlarmService::summaryBodyOf(const QList<PendingAlarm>& alarms) const {
    QStringList lines;
    for (const PendingAlarm& alarm : alarms.first(std::min(alarms.size(), SUMMARY_TITLES))) {
        const QString title = alarm.title.simplified();
        lines.append(title.isEmpty() ? tr("Reminder") : title);
    }
    if (alarms.size() > SUMMARY_TITLES)
        lines.append(tr("and %n more", nullptr, int(alarms.size() - SUMMARY_TITLES)));
    return lines.join(u'\n');
}

void AlarmService::notify(const PendingAlarm& alarm, const QString& body) {
    const quint64 tag = m_nextTag++;
    m_shown.insert(tag, alarm);
    m_notifications.show(
        tag, alarm.title.isEmpty() ? tr("Reminder") : alarm.title, body,
        {DEFAULT_ACTION, tr("Open"), OPEN_ACTION, tr("Open"), SNOOZE_ACTION, tr("Snooze 5 min")},
        hintsFor(alarm.action == CalAlarm::Sound));
}

// A click on the notification itself is its default action, the same as Open. A resident notification
// stays after an action unless it is closed here.
void AlarmService::onAction(quint64 tag, const QString& action) {
    const bool open = action == OPEN_ACTION || action == DEFAULT_ACTION;
    if (m_summaries.contains(tag)) {
        if (open)
            emit openRequested(QString(), QDateTime());
        m_notifications.close(tag);
        return;
    }
    const auto found = m_shown.constFind(tag);
    if (found == m_shown.cend())
        return;
    if (open) {
        emit openRequested(found->uid, found->occurrenceStart);
    } else if (action == SNOOZE_ACTION) {
        const QDateTime now = QDateTime::currentDateTimeUtc();
        PendingAlarm later = *found;
        later.trigger = now.addMSecs(m_snoozeDelay.count());
        m_snoozed.insert(std::upper_bound(m_snoozed.begin(), m_snoozed.end(), later, earlier), later);
        m_snoozedFile.save(m_snoozed);
        scheduleNext(now);
    }
    m_notifications.close(tag);
}
