#pragma once

#include "CalAlarm.h"
#include "CalAttendee.h"
#include "CalCalendar.h"
#include "CalEventSource.h"
#include "CalRecurrenceRule.h"

#include <QDateTime>
#include <QList>
#include <QString>
#include <QUrl>

#include <memory>
#include <optional>

// One event, or one occurrence of a recurring event. Dates are instants (kept in UTC); the interval is
// half-open [startDate, endDate). An all-day event runs from 00:00 of its first day to 00:00 of the day
// after its last day in the default time zone.
class CalEvent {
public:
    static std::shared_ptr<CalEvent> event();
    // A new record with the same uid and occurrence; alarms and the rule are copied, not shared, so that
    // editing the copy leaves the original as it was.
    std::shared_ptr<CalEvent> copy() const;

    bool hasAlarm() const { return !alarms.isEmpty(); }
    // Takes what a user edits besides the dates and the calendar: title, location, notes, URL, alarms,
    // the all-day flag, the recurrence rule and the answers to an invitation.
    void assignEditableFields(const CalEvent& source);

    QString uid;          // shared by all occurrences of a series
    QDateTime occurrence; // the occurrence's original start; invalid for a non-recurring event
    bool isDetached = false;
    QString title;
    QDateTime startDate;
    QDateTime endDate;
    bool isAllDay = false;
    QString location;
    QString notes;
    QUrl url;
    std::shared_ptr<CalCalendar> calendar;
    std::shared_ptr<CalRecurrenceRule> recurrenceRule; // null when the event does not repeat
    QList<std::shared_ptr<CalAlarm>> alarms;
    // Of an invitation: the user changes only the answer of their own entry.
    QList<CalAttendee> attendees;
    std::optional<CalAttendee> organizer;
    // Set by the store for a record it read; shared by the copies, never changed.
    std::shared_ptr<const CalEventSource> source;
};
