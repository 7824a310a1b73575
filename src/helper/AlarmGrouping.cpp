#include "AlarmGrouping.h"

#include <algorithm>

namespace {

constexpr qint64 MINUTE = 60;

// Whole minutes since the epoch: the user's clock turns its minutes at the same moments.
qint64 minuteOf(const QDateTime& moment) {
    const qint64 seconds = moment.toSecsSinceEpoch();
    return seconds / MINUTE - (seconds % MINUTE < 0 ? 1 : 0);
}

} // namespace

QDateTime AlarmGrouping::dueUntil(const QDateTime& now, const QList<const QList<PendingAlarm>*>& pending,
                                  const std::function<bool(const PendingAlarm&)>& isShown) {
    const qint64 minute = minuteOf(now);
    qsizetype inMinute = 0;
    for (const QList<PendingAlarm>* alarms : pending)
        for (const PendingAlarm& alarm : *alarms) {
            const qint64 alarmMinute = minuteOf(alarm.trigger);
            if (alarmMinute > minute)
                break;
            inMinute += alarmMinute == minute && isShown(alarm);
        }
    if (inMinute <= MOST_SHOWN_APART)
        return now;
    return QDateTime::fromSecsSinceEpoch((minute + 1) * MINUTE, Qt::UTC).addMSecs(-1);
}

QList<QList<PendingAlarm>> AlarmGrouping::notificationsOf(QList<PendingAlarm> due) {
    std::stable_sort(due.begin(), due.end(),
                     [](const PendingAlarm& a, const PendingAlarm& b) { return a.trigger < b.trigger; });
    QList<QList<PendingAlarm>> notifications;
    for (auto first = due.cbegin(); first != due.cend();) {
        const qint64 minute = minuteOf(first->trigger);
        const auto end = std::find_if(
            first, due.cend(), [&](const PendingAlarm& alarm) { return minuteOf(alarm.trigger) != minute; });
        if (end - first > MOST_SHOWN_APART)
            notifications.append(QList<PendingAlarm>(first, end));
        else
            for (auto alarm = first; alarm != end; ++alarm)
                notifications.append({*alarm});
        first = end;
    }
    return notifications;
}
