#include "ruleAlignedDates.h"

#include "RecurrenceExpander.h"
#include "RecurrenceRuleText.h"

std::optional<std::pair<QDateTime, QDateTime>> ruleAlignedDates(const CalEvent& event) {
    if (!event.recurrenceRule)
        return std::nullopt;
    // The event's clock readings are those of the default zone, as the editor shows them.
    const WallClockZone zone;
    const WallTime start = zone.toWall(event.startDate);
    IcsRecurrence recurrence;
    recurrence.rrules.append(RecurrenceRuleText::format(*event.recurrenceRule, QString()).toUtf8());
    const std::optional<qint64> first =
        RecurrenceExpander(IcsTime{start, event.isAllDay, zone}, recurrence).firstRuleInstance();
    if (!first || *first == event.startDate.toMSecsSinceEpoch())
        return std::nullopt;
    const QDateTime newStart = QDateTime::fromMSecsSinceEpoch(*first, Qt::UTC);
    if (!event.isAllDay)
        return std::pair{newStart, newStart.addMSecs(event.startDate.msecsTo(event.endDate))};
    const qint64 days = zone.toWall(event.endDate).dayNumber() - start.dayNumber();
    return std::pair{newStart, zone.toInstant(zone.toWall(newStart).startOfDay().addingDays(days))};
}
