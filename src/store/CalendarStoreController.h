#pragma once

#include "CalendarStore.h"
#include "UserInteraction.h"

#include <QCoreApplication>
#include <QDateTime>

#include <exception>
#include <functional>
#include <memory>
#include <optional>

class ExternalCalendarCalendarStoreProcessor;
class ExternalEventCalendarStoreProcessor;
class InternalCalendarCalendarStoreProcessor;
class InternalEventCalendarStoreProcessor;

// The only caller of the calendar store. Loads records for its callers without touching the model;
// saves and removes, leaving the model to follow from the store's notifications, which it routes to the
// four change processors; turns store failures into alerts.
class CalendarStoreController {
    Q_DECLARE_TR_FUNCTIONS(CalendarStoreController)
public:
    CalendarStoreController(CalendarStore& store, UserInteraction& userInteraction);
    ~CalendarStoreController();
    CalendarStoreController(const CalendarStoreController&) = delete;
    CalendarStoreController& operator=(const CalendarStoreController&) = delete;

    // Keeps the processors and feeds each the notifications of one kind: own event changes, others' event
    // changes, own calendar changes, others' calendar changes.
    void
    registerInternalEventProcessor(std::unique_ptr<InternalEventCalendarStoreProcessor> internalEvents,
                                   std::unique_ptr<ExternalEventCalendarStoreProcessor> externalEvents,
                                   std::unique_ptr<InternalCalendarCalendarStoreProcessor> internalCalendars,
                                   std::unique_ptr<ExternalCalendarCalendarStoreProcessor> externalCalendars);
    InternalEventCalendarStoreProcessor* internalEventProcessor() const { return m_internalEvents.get(); }
    ExternalEventCalendarStoreProcessor* externalEventProcessor() const { return m_externalEvents.get(); }
    InternalCalendarCalendarStoreProcessor* internalCalendarProcessor() const {
        return m_internalCalendars.get();
    }
    ExternalCalendarCalendarStoreProcessor* externalCalendarProcessor() const {
        return m_externalCalendars.get();
    }
    UserInteraction& userInteraction() const { return m_userInteraction; }

    CalendarList loadAllCalendars();
    std::shared_ptr<CalCalendar> loadCalendarWithUid(const QString& uid);
    // Also moves the event processors' refetch window to [start, end).
    EventList loadAllEventsWithStartDate(const QDateTime& start, const QDateTime& end,
                                         const CalendarList& calendars);
    qsizetype seriesCount(const QString& calendarUid) { return m_store.seriesCount(calendarUid); }
    EventList seriesRecords(const QString& calendarUid) { return m_store.seriesRecords(calendarUid); }
    std::optional<QByteArray> seriesText(const QString& uid) { return m_store.seriesText(uid); }
    // Announces what other programs changed on disk that the watcher has not yet reported.
    void takeInExternalChanges() { m_store.takeInExternalChanges(); }
    EventList loadEventsWithUid(const QString& uid, const QDateTime& start, const QDateTime& end,
                                const CalendarList& calendars);

    // A failure is shown to the user here.
    void saveEvent(const CalEvent& event, CalSpan span);
    void removeEvent(const CalEvent& event, CalSpan span);
    void removeCalendar(const CalCalendar& calendar);
    // A failure is returned, not shown.
    [[nodiscard]] std::optional<StoreError> saveCalendar(const CalCalendar& calendar);

    void handleCalendarStoreError(const StoreError& error);
    void handleCalendarStoreException(const std::exception& exception, const QString& message);

private:
    // Runs a save or removal, showing its failure; `unexpectedMessage` is shown when it throws.
    void change(const std::function<std::optional<StoreError>()>& call, const QString& unexpectedMessage);

    CalendarStore& m_store;
    UserInteraction& m_userInteraction;
    std::unique_ptr<InternalEventCalendarStoreProcessor> m_internalEvents;
    std::unique_ptr<ExternalEventCalendarStoreProcessor> m_externalEvents;
    std::unique_ptr<InternalCalendarCalendarStoreProcessor> m_internalCalendars;
    std::unique_ptr<ExternalCalendarCalendarStoreProcessor> m_externalCalendars;
};
