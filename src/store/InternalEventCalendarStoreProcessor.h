#pragma once

#include "ExternalEventCalendarStoreProcessor.h"

#include <QList>

#include <functional>
#include <memory>

class UndoManager;

// Mirrors the event changes this program made and registers the inverse of each on the undo manager.
// Undoing writes the previous records back into the store; the notifications that this writing causes
// register nothing themselves.
class InternalEventCalendarStoreProcessor : public ExternalEventCalendarStoreProcessor {
    Q_OBJECT
public:
    InternalEventCalendarStoreProcessor(ApplicationModel& model, CalendarStoreController& storeController,
                                        UndoManager& undoManager);

protected:
    void deleteObjectsWithUid(const QString& uid) override;
    void addObjectsWithUid(const QString& uid) override;
    void replaceObjectsWithUid(const QString& uid, const EventList& events) override;

private:
    // An inverse that fails on the way (a refused save leaves nothing to refetch) is reported like a failed
    // notification instead of ending the undo with an exception.
    void registerInverse(const std::function<void()>& inverse);
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
    bool m_isUndoDisabled = false;
};
