#include "ApplicationModel.h"

#include "base/InternalInconsistency.h"
#include "base/Logger.h"
#include "describe.h"

#include <QHash>
#include <QStringList>

#include <cstdlib>

namespace {

bool hasUid(const CalEvent& event, const QString& uid) {
    return event.uid == uid;
}

QString calendarUidOf(const CalEvent& event) {
    return event.calendar ? event.calendar->uid : QString();
}

qint64 millisecondsBetweenOccurrences(const CalEvent& first, const CalEvent& second) {
    return std::abs(first.occurrence.msecsTo(second.occurrence));
}

} // namespace

QSet<const CalEvent*> ApplicationModel::EventsChange::removedRecords() const {
    QSet<const CalEvent*> records;
    records.reserve(removed.size());
    for (const auto& event : removed)
        records.insert(event.get());
    return records;
}

ApplicationModel::ApplicationModel(QObject* parent) : QObject(parent) {}

ApplicationModel::EventFilter ApplicationModel::calendarFilter() const {
    return [uids = m_enabledCalendarUids](const CalEvent& event) {
        return event.calendar && uids.contains(event.calendar->uid);
    };
}

std::shared_ptr<CalCalendar> ApplicationModel::calendarWithUid(const QString& uid) const {
    for (const auto& calendar : m_calendars)
        if (calendar->uid == uid)
            return calendar;
    return nullptr;
}

EventList ApplicationModel::eventsWithUid(const QString& uid) const {
    EventList found;
    for (const auto& event : m_events)
        if (hasUid(*event, uid))
            found.append(event);
    return found;
}

EventList ApplicationModel::eventsInCalendar(const CalCalendar& calendar) const {
    VL_ASSERT(
        calendarWithUid(calendar.uid),
        QStringLiteral("calendar %1 not in %2").arg(describe(calendar), QString::number(m_calendars.size())));
    EventList found;
    for (const auto& event : m_events)
        if (calendarUidOf(*event) == calendar.uid)
            found.append(event);
    return found;
}

std::shared_ptr<CalEvent> ApplicationModel::closestOccurrenceToEvent(const CalEvent& event) const {
    std::shared_ptr<CalEvent> closest;
    double closestSeconds = 1e20;
    for (const auto& candidate : m_events) {
        if (!hasUid(*candidate, event.uid))
            continue;
        const double seconds = millisecondsBetweenOccurrences(event, *candidate) / 1000.0;
        if (seconds < closestSeconds) {
            closestSeconds = seconds;
            closest = candidate;
        }
    }
    return closest;
}

std::shared_ptr<CalEvent> ApplicationModel::eventWithKey(const EventKey& key) const {
    for (const auto& event : m_events)
        if (EventKey(*event) == key)
            return event;
    return nullptr;
}

void ApplicationModel::setEvents(const EventList& events) {
    m_events = withoutDuplicates(events);
    emit eventsChanged(EventsChange{true, {}, {}});
    // A reload brings new records of the same occurrences: keep the selection on its occurrence.
    if (m_selectedEvent && !m_events.contains(m_selectedEvent))
        setSelectedEvent(eventWithKey(EventKey(*m_selectedEvent)));
}

void ApplicationModel::replaceEvents(const QHash<QString, EventList>& byUid) {
    const std::shared_ptr<CalEvent> selected = m_selectedEvent;
    const bool selectionReplaced = selected && byUid.contains(selected->uid);
    if (selectionReplaced)
        setSelectedEvent(nullptr);
    EventsChange change;
    m_events.removeIf([&](const std::shared_ptr<CalEvent>& event) {
        if (!byUid.contains(event->uid))
            return false;
        change.removed.append(event);
        return true;
    });
    for (const EventList& events : byUid) {
        m_events.append(events);
        change.added.append(events);
    }
    emit eventsChanged(change);
    if (!selectionReplaced)
        return;
    std::shared_ptr<CalEvent> closest = closestOccurrenceToEvent(*selected);
    if (selected->isDetached && closest && millisecondsBetweenOccurrences(*selected, *closest) >= 100)
        closest = nullptr;
    setSelectedEvent(closest);
}

void ApplicationModel::setCalendars(const CalendarList& calendars) {
    m_calendars = calendars;
    reportCalendarsChanged(ListChange::Whole, -1);
}

void ApplicationModel::addCalendar(const std::shared_ptr<CalCalendar>& calendar) {
    m_calendars.append(calendar);
    reportCalendarsChanged(ListChange::Insertion, int(m_calendars.size() - 1));
}

void ApplicationModel::deleteCalendar(const std::shared_ptr<CalCalendar>& calendar) {
    const auto index = m_calendars.indexOf(calendar);
    if (index < 0)
        return;
    m_calendars.removeAt(index);
    reportCalendarsChanged(ListChange::Removal, int(index));
    removeEnabledCalendarUidsObject(calendar->uid);
    if (m_selectedCalendarUid == calendar->uid)
        setSelectedCalendarUid(QString());
}

void ApplicationModel::deleteCalendarWithUid(const QString& uid) {
    if (const auto calendar = calendarWithUid(uid))
        deleteCalendar(calendar);
}

void ApplicationModel::replaceCalendarWithUid(const QString& uid,
                                              const std::shared_ptr<CalCalendar>& calendar) {
    for (qsizetype index = 0; index < m_calendars.size(); ++index) {
        if (m_calendars[index]->uid == uid) {
            m_calendars[index] = calendar;
            reportCalendarsChanged(ListChange::Replacement, int(index));
            break;
        }
    }
    for (const auto& event : m_events)
        if (calendarUidOf(*event) == uid)
            event->calendar = calendar;
}

void ApplicationModel::setSelectedEvent(const std::shared_ptr<CalEvent>& event) {
    if (event == m_selectedEvent)
        return;
    m_selectedEvent = event;
    if (event)
        setSelectedCalendarUid(calendarUidOf(*event));
    emit selectedEventChanged();
}

void ApplicationModel::setSelectedCalendarUid(const QString& uid) {
    if (uid == m_selectedCalendarUid)
        return;
    m_selectedCalendarUid = uid;
    if (m_selectedEvent && calendarUidOf(*m_selectedEvent) != uid) {
        m_selectedEvent = nullptr;
        emit selectedEventChanged();
    }
    emit selectedCalendarUidChanged();
    emit selectedCalendarChanged();
}

void ApplicationModel::setEnabledCalendarUids(const QSet<QString>& uids) {
    m_enabledCalendarUids = uids;
    reportEnabledCalendarUidsChanged(SetChange::Whole, uids);
}

void ApplicationModel::addEnabledCalendarUidsObject(const QString& uid) {
    if (!m_enabledCalendarUids.contains(uid))
        addEnabledCalendarUids({uid});
}

void ApplicationModel::addEnabledCalendarUids(const QSet<QString>& uids) {
    m_enabledCalendarUids.unite(uids);
    reportEnabledCalendarUidsChanged(SetChange::Union, uids);
}

void ApplicationModel::removeEnabledCalendarUidsObject(const QString& uid) {
    if (m_enabledCalendarUids.contains(uid))
        removeEnabledCalendarUids({uid});
}

void ApplicationModel::removeEnabledCalendarUids(const QSet<QString>& uids) {
    m_enabledCalendarUids.subtract(uids);
    reportEnabledCalendarUidsChanged(SetChange::Minus, uids);
}

EventList ApplicationModel::withoutDuplicates(const EventList& events) {
    QHash<const CalEvent*, int> counts;
    for (const auto& event : events)
        ++counts[event.get()];
    if (counts.size() == events.size())
        return events;
    VL_LOG(LOTHER, Logger::LOG_WARNING_LEVEL, QStringLiteral("Events contains duplicates"));
    EventList unique;
    for (const auto& event : events) {
        const int count = counts.value(event.get());
        if (count == 0)
            continue; // already taken
        if (count > 1)
            VL_LOG(LOTHER, Logger::LOG_WARNING_LEVEL,
                   QStringLiteral("duplicate count %1 %2").arg(count).arg(describe(*event)));
        counts[event.get()] = 0;
        unique.append(event);
    }
    return unique;
}

void ApplicationModel::reportCalendarsChanged(ListChange kind, int index) {
    emit calendarsChanged(kind, index);
    emit selectedCalendarChanged();
}

void ApplicationModel::reportEnabledCalendarUidsChanged(SetChange kind, const QSet<QString>& uids) {
    emit enabledCalendarUidsChanged(kind, uids);
    emit calendarFilterChanged();
}

QStringList ApplicationModel::editableCalendarTitles() const {
    QStringList titles;
    for (const auto& calendar : m_calendars)
        if (calendar->isEditable)
            titles.append(calendar->title);
    return titles;
}
