#pragma once

#include "CalendarStore.h"
#include "UserInteraction.h"

#include <QCoreApplication>
#include <QDateTime>

#include <exception>
#include <functional>
#include <memory>
#include <optional>

class ChangeApplier;

// The only caller of the calendar store. Loads records for its callers without touching the model;
// saves and removes, leaving the model to follow from the store's notifications, which it hands to the
// change applier; turns store failures into alerts.
class CalendarStoreController {
    Q_DECLARE_TR_FUNCTIONS(CalendarStoreController)
public:
    CalendarStoreController(CalendarStore& store, UserInteraction& userInteraction);
    ~CalendarStoreController();
    CalendarStoreController(const CalendarStoreController&) = delete;
    CalendarStoreController& operator=(const CalendarStoreController&) = delete;

    // Keeps the applier and feeds it every notification, ours and other programs', of events and calendars.
    void setChangeApplier(std::unique_ptr<ChangeApplier> applier);
    ChangeApplier* changeApplier() const { return m_applier.get(); }
    UserInteraction& userInteraction() const { return m_userInteraction; }

    CalendarList loadAllCalendars();
    std::shared_ptr<CalCalendar> loadCalendarWithUid(const QString& uid);
    // Also moves the applier's refetch window to [start, end).
    EventList loadAllEventsWithStartDate(const QDateTime& start, const QDateTime& end,
                                         const CalendarList& calendars);
    qsizetype seriesCount(const QString& calendarUid) { return m_store.seriesCount(calendarUid); }
    EventList seriesRecords(const QString& calendarUid) { return m_store.seriesRecords(calendarUid); }
    std::optional<QByteArray> seriesText(const QString& uid) { return m_store.seriesText(uid); }
    // Announces what other programs changed on disk that the watcher has not yet reported.
    void takeInExternalChanges() { m_store.takeInExternalChanges(); }
    EventList loadEventsWithUid(const QString& uid, const QDateTime& start, const QDateTime& end,
                                const CalendarList& calendars);
    // One record of the series, wherever in time it lies; none when the store has none.
    std::shared_ptr<CalEvent> anyRecordOfSeries(const QString& uid);

    // A failure is shown to the user here.
    void saveEvent(const CalEvent& event, CalSpan span);
    void removeEvent(const CalEvent& event, CalSpan span);
    void removeCalendar(const CalCalendar& calendar);
    // A failure is returned, not shown.
    [[nodiscard]] std::optional<StoreError> saveCalendar(const CalCalendar& calendar);
    // The import and the removal of a series that undoes one register no undo of each series: the caller
    // undoes the import as a whole. Failures are returned, not shown.
    CalendarStore::ImportResult importCalendarText(const QString& calendarUid, const QByteArray& text);
    [[nodiscard]] std::optional<StoreError> removeSeriesWithoutUndo(const CalEvent& event);

    void handleCalendarStoreError(const StoreError& error);
    void handleCalendarStoreException(const std::exception& exception, const QString& message);

private:
    template <typename Call> auto withoutUndo(Call call);
    // Runs a save or removal, showing its failure; `unexpectedMessage` is shown when it throws.
    void change(const std::function<std::optional<StoreError>()>& call, const QString& unexpectedMessage);

    CalendarStore& m_store;
    UserInteraction& m_userInteraction;
    std::unique_ptr<ChangeApplier> m_applier;
};
