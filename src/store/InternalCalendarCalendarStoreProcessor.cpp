#include "InternalCalendarCalendarStoreProcessor.h"

#include "ApplicationModel.h"
#include "CalendarStoreController.h"
#include "base/UndoManager.h"

InternalCalendarCalendarStoreProcessor::InternalCalendarCalendarStoreProcessor(
    ApplicationModel& model, CalendarStoreController& storeController, UndoManager& undoManager)
    : ExternalCalendarCalendarStoreProcessor(model, storeController), m_undoManager(undoManager) {}

void InternalCalendarCalendarStoreProcessor::deleteObjectsWithUid(const QString& uid) {
    const auto calendar = m_model.calendarWithUid(uid);
    ExternalCalendarCalendarStoreProcessor::deleteObjectsWithUid(uid);
    if (calendar)
        registerSaving(calendar);
}

void InternalCalendarCalendarStoreProcessor::addObjectsWithUid(const QString& uid) {
    ExternalCalendarCalendarStoreProcessor::addObjectsWithUid(uid);
    if (const auto calendar = m_model.calendarWithUid(uid))
        m_undoManager.registerUndo([this, calendar] { removeCalendarIfExisting(calendar); });
}

void InternalCalendarCalendarStoreProcessor::replaceObjectsWithUid(
    const QString& uid, const std::shared_ptr<CalCalendar>& calendar) {
    const auto previous = m_model.calendarWithUid(uid);
    ExternalCalendarCalendarStoreProcessor::replaceObjectsWithUid(uid, calendar);
    if (previous)
        registerSaving(previous);
}

void InternalCalendarCalendarStoreProcessor::registerSaving(const std::shared_ptr<CalCalendar>& calendar) {
    // Nobody else sees the failure of an undo: show it.
    m_undoManager.registerUndo([this, calendar] {
        if (const auto error = m_storeController.saveCalendar(*calendar))
            m_storeController.handleCalendarStoreError(*error);
    });
}

void InternalCalendarCalendarStoreProcessor::removeCalendarIfExisting(
    const std::shared_ptr<CalCalendar>& calendar) {
    if (m_model.calendars().contains(calendar))
        m_storeController.removeCalendar(*calendar);
}
