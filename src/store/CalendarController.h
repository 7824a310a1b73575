#pragma once

#include "BaseCalendarController.h"
#include "CalendarStore.h"

#include <QDateTime>
#include <QSet>

#include <memory>
#include <optional>

class CalendarStoreController;
class UndoManager;
class UserDefaults;

// The one door to calendar data for everything above the model. It holds a window of events in the model
// and widens it when the user looks further, asks which occurrences a change to a recurring event
// applies to, manages calendars, remembers which calendars are switched on and warns once about calendars
// that another program keeps in step.
class CalendarController : public BaseCalendarController {
    Q_OBJECT
public:
    CalendarController(ApplicationModel& model, CalendarStoreController& storeController,
                       UndoManager& undoManager, UserDefaults& userDefaults, QObject* parent = nullptr);

    // The window of events in the model; invalid before the first load.
    QDateTime loadedRangeStartDate() const { return m_loadedRangeStartDate; }
    QDateTime loadedRangeEndDate() const { return m_loadedRangeEndDate; }
    // Makes the window cover [start, end). The first call loads the calendars and 180 days either side of
    // now; a range reaching past the window widens it to 100 days beyond the range. It never shrinks.
    void setNeedsRangeStartDate(const QDateTime& start, const QDateTime& end);

    void addEvent(const CalEvent& event) override;
    // For a recurring event the user chooses the occurrences first, or cancels.
    void removeEvent(const CalEvent& event);
    // `oldEvent` is the model's record, `newEvent` an edited copy of it. False when the user cancelled the
    // question; true otherwise, also when the store refused (the user has been told).
    bool replaceEvent(const std::shared_ptr<CalEvent>& oldEvent, const CalEvent& newEvent) override;
    UserInteraction& userInteraction() const override;
    // None when the user cancels.
    std::optional<CalSpan> askUserForSpan();

    // Unsaved, with a uid of its own.
    std::shared_ptr<CalCalendar> createNewCalendar() const;
    [[nodiscard]] std::optional<StoreError> saveCalendar(const CalCalendar& calendar);
    // Saves it, then switches it on and selects it.
    [[nodiscard]] std::optional<StoreError> addCalendar(const CalCalendar& calendar);
    // With its events, also those outside the window, as one undo group; undoing switches it on again if it
    // was on.
    void removeCalendar(const CalCalendar& calendar);
    // Every series, also those outside the window.
    void moveEventsInCalendar(const CalCalendar& from, const std::shared_ptr<CalCalendar>& to);
    // Of all its dates, not only those of the window.
    qsizetype seriesCount(const CalCalendar& calendar) const;

    // The stored uids that name existing calendars, or all calendars when nothing is stored.
    void restoreEnableCalendarsDefaults();
    void saveEnabledCalendarsDefaults();

private:
    void initialLoad();
    void loadInitialCalendars();
    void loadEventsFrom(const QDateTime& start, const QDateTime& end);
    void warnAboutCalDavCalendars();
    void registerCalendarReenabling(const QString& uid);
    // The calendar's series the model does not hold (they lie outside the window), as the store has them.
    EventList seriesOutsideWindow(const QString& calendarUid);
    // Moves those of the series of `fromUid` that `uids` names; undoing moves them back.
    void moveSeriesWithUndo(const QSet<QString>& uids, const QString& fromUid, const QString& toUid);
    // Undoing writes the series back as the record's file held it.
    void registerRestoring(const std::shared_ptr<CalEvent>& record);
    // Whether an undo or redo goes on over the changes other programs made to the events `changed` names.
    bool askToOverwrite(const QStringList& changed, bool undoing);

    CalendarStoreController& m_storeController;
    UndoManager& m_undoManager;
    UserDefaults& m_userDefaults;
    QDateTime m_loadedRangeStartDate;
    QDateTime m_loadedRangeEndDate;
    bool m_isObserving = false;
};
