#pragma once

#include "ExternalCalendarCalendarStoreProcessor.h"

class UndoManager;

// Mirrors the calendar changes this program made and registers the inverse of each on the undo manager.
class InternalCalendarCalendarStoreProcessor : public ExternalCalendarCalendarStoreProcessor {
    Q_OBJECT
public:
    InternalCalendarCalendarStoreProcessor(ApplicationModel& model, CalendarStoreController& storeController,
                                           UndoManager& undoManager);

protected:
    void deleteObjectsWithUid(const QString& uid) override;
    void addObjectsWithUid(const QString& uid) override;
    void replaceObjectsWithUid(const QString& uid, const std::shared_ptr<CalCalendar>& calendar) override;

private:
    void registerSaving(const std::shared_ptr<CalCalendar>& calendar);
    void removeCalendarIfExisting(const std::shared_ptr<CalCalendar>& calendar);

    UndoManager& m_undoManager;
};
