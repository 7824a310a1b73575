#pragma once

#include "CalendarStore.h"
#include "EventKey.h"

#include <QHash>
#include <QObject>
#include <QSet>
#include <QString>

#include <functional>
#include <memory>

// The one in-memory picture of the calendar data that views and controllers read: the calendars, the
// events of the loaded window (one record per occurrence), the selection and the calendars switched on.
// It never talks to the store; the calendar controller and the change applier keep it current.
//
// Kept true by every operation: a selected event belongs to the selected calendar and is one of the
// events; a deleted calendar is neither enabled nor selected.
class ApplicationModel : public QObject {
    Q_OBJECT
public:
    enum class ListChange { Insertion, Removal, Replacement, Whole }; // the first three at an index
    // What one change did to the events: the records that went and those that came (a uid whose records
    // were replaced has its old ones among the first and its new ones among the second). A reload sets
    // the whole list anew and names no records.
    struct EventsChange {
        bool isWhole = false;
        EventList removed;
        EventList added;

        QSet<const CalEvent*> removedRecords() const;
    };
    enum class SetChange { Whole, Union, Minus };
    using EventFilter = std::function<bool(const CalEvent&)>;

    explicit ApplicationModel(QObject* parent = nullptr);

    const EventList& events() const { return m_events; }
    const CalendarList& calendars() const { return m_calendars; }
    // How the entry language names the calendars a new event can go to.
    QStringList editableCalendarTitles() const;
    std::shared_ptr<CalEvent> selectedEvent() const { return m_selectedEvent; }
    QString selectedCalendarUid() const { return m_selectedCalendarUid; } // empty: none
    const QSet<QString>& enabledCalendarUids() const { return m_enabledCalendarUids; }
    std::shared_ptr<CalCalendar> selectedCalendar() const { return calendarWithUid(m_selectedCalendarUid); }
    // Keeps the events of the enabled calendars.
    EventFilter calendarFilter() const;

    std::shared_ptr<CalCalendar> calendarWithUid(const QString& uid) const;
    EventList eventsWithUid(const QString& uid) const;
    // The calendar must be one of the model's.
    EventList eventsInCalendar(const CalCalendar& calendar) const;
    // Of the records with the event's uid, the one whose occurrence is nearest to the event's; the first
    // of equally near ones.
    std::shared_ptr<CalEvent> closestOccurrenceToEvent(const CalEvent& event) const;
    std::shared_ptr<CalEvent> eventWithKey(const EventKey& key) const;

    // A record given twice is kept once, and the duplicates are logged.
    void setEvents(const EventList& events);
    // Puts the records of each uid of `byUid` in place of the model's records of that uid, as one change;
    // a uid given no records loses its events. A selected occurrence moves to the nearest new one of its
    // uid; a selected detached occurrence stays only if it comes back at the same occurrence date.
    void replaceEvents(const QHash<QString, EventList>& byUid);
    void replaceEventsWithUid(const QString& uid, const EventList& events) { replaceEvents({{uid, events}}); }

    void setCalendars(const CalendarList& calendars);
    void addCalendar(const std::shared_ptr<CalCalendar>& calendar);
    void deleteCalendar(const std::shared_ptr<CalCalendar>& calendar);
    void deleteCalendarWithUid(const QString& uid);
    // Also makes the events of that calendar refer to the new record.
    void replaceCalendarWithUid(const QString& uid, const std::shared_ptr<CalCalendar>& calendar);

    // Selecting an event selects its calendar.
    void setSelectedEvent(const std::shared_ptr<CalEvent>& event);
    // Clears the selected event unless it is in that calendar.
    void setSelectedCalendarUid(const QString& uid);

    void setEnabledCalendarUids(const QSet<QString>& uids);
    void addEnabledCalendarUidsObject(const QString& uid);
    void addEnabledCalendarUids(const QSet<QString>& uids);
    void removeEnabledCalendarUidsObject(const QString& uid);
    void removeEnabledCalendarUids(const QSet<QString>& uids);

signals:
    void eventsChanged(const ApplicationModel::EventsChange& change);
    void calendarsChanged(ApplicationModel::ListChange kind, int index);
    void selectedEventChanged();
    void selectedCalendarUidChanged();
    void enabledCalendarUidsChanged(ApplicationModel::SetChange kind, const QSet<QString>& uids);
    // Derived: with every change of the selected uid or of the calendars.
    void selectedCalendarChanged();
    // Derived: with every change of the enabled uids.
    void calendarFilterChanged();

private:
    static EventList withoutDuplicates(const EventList& events);
    void reportCalendarsChanged(ListChange kind, int index);
    void reportEnabledCalendarUidsChanged(SetChange kind, const QSet<QString>& uids);

    EventList m_events;
    CalendarList m_calendars;
    std::shared_ptr<CalEvent> m_selectedEvent;
    QString m_selectedCalendarUid;
    QSet<QString> m_enabledCalendarUids;
};
