#pragma once

#include "ExternalEventCalendarStoreProcessor.h"
#include "ForeignChangeWatch.h"

#include <QList>

#include <functional>
#include <memory>

class UndoManager;

// Mirrors the event changes this program made and registers the inverse of each on the undo manager.
// Undoing writes the previous records back into the store; the notifications that this writing causes
// register nothing themselves. An inverse comes with a check that the event was not changed by another
// program since: undoing would overwrite that change, so the user is asked first.
class InternalEventCalendarStoreProcessor : public ExternalEventCalendarStoreProcessor {
    Q_OBJECT
public:
    InternalEventCalendarStoreProcessor(ApplicationModel& model, CalendarStoreController& storeController,
                                        UndoManager& undoManager);

    // Told of every change other programs made to events, to know which undo steps they overtook.
    void noteOthersChanges(const StoreChanges& changes) { m_foreignChanges.noteOthersChanges(changes); }

protected:
    void deleteObjectsWithUid(const QString& uid) override;
    void addObjectsWithUid(const QString& uid) override;
    void replaceObjectsWithUid(const QString& uid, const EventList& events) override;

private:
    // An inverse that fails on the way (a refused save leaves nothing to refetch) is reported like a failed
    // notification instead of ending the undo with an exception.
    // `title` names the event in the question when it is no longer loaded; `removes`: the inverse removes
    // the series.
    void registerInverse(const QString& uid, const QString& title, const std::function<void()>& inverse,
                         bool removes = false);
    void restoreDeletedEvents(const EventList& events, const std::shared_ptr<CalEvent>& selection);
    void refetchAndDeleteEventsWithUid(const QString& uid);
    void replaceEvents(const EventList& oldEvents, const EventList& newEvents);
    // Writes a series back as the records show it: the series, its detached occurrences, and without the
    // occurrences missing from them.
    void addEventOccurences(const EventList& events);
    void refetchAndStoreSingleEvent(const CalEvent& detached);
    std::shared_ptr<CalEvent> refetchEventOccurrence(const QString& uid, const QDateTime& occurrence) const;
    void removeEventOccurencesWithUid(const QString& uid, const QList<QDateTime>& occurrences);
    static void assignFromEvent(CalEvent& target, const CalEvent& source);

    UndoManager& m_undoManager;
    ForeignChangeWatch m_foreignChanges;
    bool m_isUndoDisabled = false;
};
