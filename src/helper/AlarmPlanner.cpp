#include "AlarmPlanner.h"

#include "store/CalendarStore.h"

#include <QSet>

#include <algorithm>

namespace {

PendingAlarm pendingAlarm(const CalEvent& event, const CalAlarm& alarm) {
    PendingAlarm result;
    result.uid = event.uid;
    result.occurrenceStart = event.startDate;
    result.occurrence = event.occurrence;
    result.absolute = alarm.absoluteTrigger().has_value();
    result.trigger = result.absolute ? alarm.absoluteTrigger()->toUTC()
                                     : event.startDate.addMSecs(qint64(alarm.relativeTrigger() * 1000));
    result.action = alarm.action();
    result.title = event.title;
    result.calendarTitle = event.calendar ? event.calendar->title : QString();
    result.location = event.location;
    result.notes = event.notes.section(u'\n', 0, 0).trimmed();
    result.end = event.endDate;
    result.sound = alarm.sound();
    result.program = alarm.url();
    result.programArguments = alarm.procedureArguments();
    result.calendarUid = event.calendar ? event.calendar->uid : QString();
    result.calendarEditable = event.calendar && event.calendar->isEditable;
    return result;
}

} // namespace

QList<PendingAlarm> AlarmPlanner::alarmsBetween(CalendarStore& store, const QDateTime& from,
                                                const QDateTime& until) {
    QList<PendingAlarm> result;
    QSet<QString> absoluteSeen; // an absolute trigger is the same moment for every occurrence
    const EventList events =
        store.events(from.addSecs(-MAX_DELAY_SECONDS), until.addSecs(MAX_LEAD_SECONDS), store.calendars());
    for (const auto& event : events) {
        for (const auto& alarm : event->alarms) {
            if (alarm->action() == CalAlarm::NoAction)
                continue;
            PendingAlarm pending = pendingAlarm(*event, *alarm);
            if (pending.trigger < from || pending.trigger >= until)
                continue;
            if (pending.absolute) {
                const QString key = QStringLiteral("%1\x1f%2\x1f%3")
                                        .arg(event->uid, pending.trigger.toString(Qt::ISODateWithMs))
                                        .arg(int(pending.action));
                if (absoluteSeen.contains(key))
                    continue;
                absoluteSeen.insert(key);
            }
            result.append(std::move(pending));
        }
    }
    std::stable_sort(result.begin(), result.end(),
                     [](const PendingAlarm& a, const PendingAlarm& b) { return a.trigger < b.trigger; });
    return result;
}
