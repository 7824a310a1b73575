#pragma once

#include "PendingAlarm.h"

#include <QDateTime>
#include <QList>

#include <functional>

// Decides which of the alarms that fall due are shown together. The alarms shown of one minute of the
// clock are shown one by one while they are at most MOST_SHOWN_APART, else as one summary for the
// minute, so that a burst (an imported calendar, hundreds of events at nine) gives one notification
// rather than hundreds.
class AlarmGrouping {
public:
    static constexpr qsizetype MOST_SHOWN_APART = 3;

    // The moment up to which alarms are taken at `now` from `pending` (each list by trigger): `now`, or
    // the end of its minute when that minute holds too many alarms to show apart, so that the rest of it
    // comes along now, up to a minute early, rather than as a second summary.
    // `isShown` tells the alarms that make a notification from programs that run unseen.
    static QDateTime dueUntil(const QDateTime& now, const QList<const QList<PendingAlarm>*>& pending,
                              const std::function<bool(const PendingAlarm&)>& isShown);
    // `due` (the alarms to show) split into notifications, by trigger.
    static QList<QList<PendingAlarm>> notificationsOf(QList<PendingAlarm> due);
};
