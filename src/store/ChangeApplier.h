#pragma once

#include "CalendarStore.h"
#include "ForeignChangeWatch.h"

#include <QDateTime>
#include <QHash>
#include <QList>
#include <QObject>
#include <QScopedValueRollback>

#include <exception>
#include <functional>
#include <memory>

class ApplicationModel;
class CalendarStoreController;
class UndoManager;

// The one path from the store's notices to the model, for this program's changes and other programs'
// alike. The records of the changed uids are taken from the store once, within the loaded window, and
// put into the model as one change for each kind of notice: deletions first, then insertions, then
// updates.
//
// Of our own changes the inverse of each is registered on the undo manager. Undoing writes the previous
// records back into the store; the notices that this writing causes register nothing themselves. An
// inverse comes with a check that the event was not changed by another program since: undoing would
// overwrite that change, so the user is asked first.
class ChangeApplier : public QObject {
    Q_OBJECT
public:
    enum class Origin { Ours, Others };
    // Half the window loaded first: 180 days either side of now.
    static constexpr qint64 INITIAL_RANGE_SECONDS = 15'552'000;

    ChangeApplier(ApplicationModel& model, CalendarStoreController& storeController,
                  UndoManager& undoManager);

    // The window within which the records of a changed uid are taken.
    void setRange(const QDateTime& start, const QDateTime& end);
    QDateTime rangeStartDate() const { return m_rangeStartDate; }
    QDateTime rangeEndDate() const { return m_rangeEndDate; }

    // A failure on the way stops the rest and is shown to the user; the model may then be partly updated.
    void applyEventChanges(const StoreChanges& changes, Origin origin);
    void applyCalendarChanges(const StoreChanges& changes, Origin origin);
    // Runs `change` with our own event changes registering no undo: for a caller that undoes them as a
    // whole.
    template <typename Change> auto withoutUndo(Change change) {
        const QScopedValueRollback<bool> suspended(m_isUndoDisabled, true);
        return change();
    }

private:
    enum class Kind { Deleted, Inserted, Updated };

    // Puts the records of the uids into the model in one change.
    void applyKind(const QStringList& uids, Kind kind, Origin origin);
    // All occurrences of the uid in the window, in all of the model's calendars.
    EventList fetchEventsWithUid(const QString& uid);
    // Registers the inverse of our change of the uid to `events` (none when deleted).
    void noteOwnChange(const QString& uid, const EventList& events, Kind kind);
    // Tells the user that the model may no longer show the store as it is.
    void reportFailure(const std::exception& exception);

    // An inverse that fails on the way (a refused save leaves nothing to refetch) is reported like a failed
    // notification instead of ending the undo with an exception.
    // `title` names the event in the question when it is no longer loaded; `removes`: the inverse removes
    // the series.
    void registerInverse(const QString& uid, const QString& title, const std::function<void()>& inverse,
                         bool removes = false);
    void restoreDeletedEvents(const EventList& events, const std::shared_ptr<CalEvent>& selection);
    void refetchAndDeleteEventsWithUid(const QString& uid);
    void replaceStoredEvents(const EventList& oldEvents, const EventList& newEvents);
    // Writes a series back as the records show it: the series, its detached occurrences, and without the
    // occurrences missing from them.
    void addEventOccurences(const EventList& events);
    void refetchAndStoreSingleEvent(const CalEvent& detached);
    std::shared_ptr<CalEvent> refetchEventOccurrence(const QString& uid, const QDateTime& occurrence) const;
    void removeEventOccurencesWithUid(const QString& uid, const QList<QDateTime>& occurrences);
    static void assignFromEvent(CalEvent& target, const CalEvent& source);

    void registerCalendarSaving(const std::shared_ptr<CalCalendar>& calendar);
    void removeCalendarIfExisting(const std::shared_ptr<CalCalendar>& calendar);

    ApplicationModel& m_model;
    CalendarStoreController& m_storeController;
    UndoManager& m_undoManager;
    ForeignChangeWatch m_foreignChanges;
    QDateTime m_rangeStartDate;
    QDateTime m_rangeEndDate;
    bool m_isUndoDisabled = false;
};
