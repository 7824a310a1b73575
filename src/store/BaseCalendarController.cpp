#include "BaseCalendarController.h"

#include "ApplicationModel.h"
#include "dates/dateUtilities.h"

#include <QUuid>

#include <algorithm>

BaseCalendarController::BaseCalendarController(ApplicationModel& model, QObject* parent)
    : QObject(parent), m_model(model) {}

std::shared_ptr<CalEvent> BaseCalendarController::createNewEvent() const {
    auto event = CalEvent::event();
    event->uid = QUuid::createUuid().toString(QUuid::WithoutBraces);
    event->startDate = createDate(QStringLiteral("12:00")).value().toQDateTime();
    event->endDate = createDate(QStringLiteral("13:00")).value().toQDateTime();
    event->title = tr("New Event");
    // A read-only calendar sorted first (a subscription) must not make the editor read-only.
    const auto selected = m_model.selectedCalendar();
    if (selected && selected->isEditable) {
        event->calendar = selected;
        return event;
    }
    const CalendarList& calendars = m_model.calendars();
    const auto editable = std::find_if(calendars.cbegin(), calendars.cend(),
                                       [](const auto& calendar) { return calendar->isEditable; });
    if (editable != calendars.cend())
        event->calendar = *editable;
    return event;
}
