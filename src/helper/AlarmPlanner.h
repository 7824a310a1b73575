#pragma once

#include "PendingAlarm.h"

#include <QList>

class CalendarStore;

// Finds the alarms that trigger in a window of time, from the occurrences the store holds near it.
//
// Only occurrences that start between MAX_LEAD after the window and MAX_DELAY before it are asked
// for: an alarm set more than a week before its start, one more than a day after it, or an absolute
// trigger far from its event's occurrences is not found.
class AlarmPlanner {
public:
    static constexpr qint64 MAX_LEAD_SECONDS = 7 * 86400;
    static constexpr qint64 MAX_DELAY_SECONDS = 86400;

    // The alarms triggering in [from, until), by trigger time.
    static QList<PendingAlarm> alarmsBetween(CalendarStore& store, const QDateTime& from,
                                             const QDateTime& until);
};
