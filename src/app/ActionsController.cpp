#include "ActionsController.h"

#include "base/InternalInconsistency.h"
#include "base/Logger.h"
#include "base/UndoManager.h"
#include "dates/EventDescription.h"
#include "editing/EditEventController.h"
#include "store/ApplicationModel.h"
#include "store/CalendarController.h"
#include "timeline/view/TimelineView.h"
#include "timeline/view/TimelineViewController.h"

namespace {
constexpr double DAY_TIME_INTERVAL = 86400;
constexpr double WEEK_TIME_INTERVAL = 604800;
constexpr double MONTH_TIME_INTERVAL = 2678400;
} // namespace

ActionsController::ActionsController(ApplicationModel& model, CalendarController& calendarController,
                                     TimelineViewController& timelineViewController, UndoManager& undoManager,
                                     EditEventController* editor, QObject* parent)
    : QObject(parent), m_model(model), m_calendarController(calendarController),
      m_timelineViewController(timelineViewController), m_undoManager(undoManager),
      m_editEventController(editor) {}

void ActionsController::createNewEvent() {
    VL_LOG(LACTIONS, Logger::LOG_INFO_LEVEL, QString());
    if (m_editEventController)
        m_editEventController->showWithNewEvent(m_calendarController.createNewEvent());
}

void ActionsController::showSelectedEvent() {
    const std::shared_ptr<CalEvent> event = m_model.selectedEvent();
    VL_ASSERT(event, QStringLiteral("have selected event"));
    VL_LOG(LACTIONS, Logger::LOG_INFO_LEVEL, event->title);
    if (m_editEventController)
        m_editEventController->showWithEvent(event);
}

void ActionsController::deleteEvent() {
    const std::shared_ptr<CalEvent> event = m_model.selectedEvent();
    if (!event)
        return;
    VL_LOG(LACTIONS, Logger::LOG_INFO_LEVEL, event->title);
    m_calendarController.removeEvent(*event);
    m_undoManager.setActionName(tr("Remove Event"));
}

void ActionsController::copyEvent() {
    const std::shared_ptr<CalEvent> event = m_model.selectedEvent();
    if (!event)
        return;
    VL_LOG(LACTIONS, Logger::LOG_INFO_LEVEL, event->title);
    const TimelineView& view = m_timelineViewController.timelineView();
    m_clipboard.copy(*event, view.eventDescription()->descriptionOfEvent(*event, view.now()));
}

void ActionsController::pasteEvent() {
    const std::shared_ptr<const CalEvent> copied = m_clipboard.event();
    if (!copied)
        return;
    VL_LOG(LACTIONS, Logger::LOG_INFO_LEVEL, copied->title);
    const TimeOfDay time = CalendarDate::fromQDateTime(copied->startDate).timeOfDay();
    addCopy(*copied, CalendarDate::dateWithDate(m_timelineViewController.selectedDay(), time),
            tr("Paste Event"));
}

void ActionsController::duplicateEvent() {
    const std::shared_ptr<CalEvent> event = m_model.selectedEvent();
    if (!event)
        return;
    VL_LOG(LACTIONS, Logger::LOG_INFO_LEVEL, event->title);
    addCopy(*event, CalendarDate::fromQDateTime(event->startDate), tr("Duplicate Event"));
}

void ActionsController::addCopy(const CalEvent& original, const CalendarDate& start,
                                const QString& actionName) {
    m_timelineViewController.addEventAndSelect(*m_calendarController.createCopyOfEvent(original, start),
                                               actionName);
}

void ActionsController::displayOneDay() {
    VL_LOG(LACTIONS, Logger::LOG_INFO_LEVEL, QString());
    m_timelineViewController.setTimeInterval(DAY_TIME_INTERVAL);
}

void ActionsController::displayOneWeek() {
    VL_LOG(LACTIONS, Logger::LOG_INFO_LEVEL, QString());
    m_timelineViewController.setTimeInterval(WEEK_TIME_INTERVAL);
}

void ActionsController::displayOneMonth() {
    VL_LOG(LACTIONS, Logger::LOG_INFO_LEVEL, QString());
    m_timelineViewController.setTimeInterval(MONTH_TIME_INTERVAL);
}

void ActionsController::showNow() {
    VL_LOG(LACTIONS, Logger::LOG_INFO_LEVEL, QString());
    m_timelineViewController.showNow();
}
