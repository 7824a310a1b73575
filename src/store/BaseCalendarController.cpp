#include "BaseCalendarController.h"

#include "ApplicationModel.h"
#include "dates/dateUtilities.h"

#include <QUuid>

BaseCalendarController::BaseCalendarController(ApplicationModel& model, QObject* parent)
    : QObject(parent), m_model(model) {}

std::shared_ptr<CalEvent> BaseCalendarController::createNewEvent() const {
    auto event = CalEvent::event();
    event->uid = QUuid::createUuid().toString(QUuid::WithoutBraces);
    event->startDate = createDate(QStringLiteral("12:00")).value().toQDateTime();
    event->endDate = createDate(QStringLiteral("13:00")).value().toQDateTime();
    event->title = tr("New Event");
    const auto selected = m_model.selectedCalendar();
    if (selected && selected->isEditable)
        event->calendar = selected;
    else if (!m_model.calendars().isEmpty())
        event->calendar = m_model.calendars().first();
    return event;
}
