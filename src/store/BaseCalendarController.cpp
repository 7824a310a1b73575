#include "BaseCalendarController.h"

#include "ApplicationModel.h"
#include "dates/dateUtilities.h"
#include "records/singleEventCopy.h"

#include <QUuid>

#include <algorithm>
#include <cmath>

BaseCalendarController::BaseCalendarController(ApplicationModel& model, QObject* parent)
    : QObject(parent), m_model(model) {}

std::shared_ptr<CalEvent> BaseCalendarController::createNewEvent() const {
    auto event = CalEvent::event();
    event->uid = QUuid::createUuid().toString(QUuid::WithoutBraces);
    event->startDate = createDate(QStringLiteral("12:00")).value().toQDateTime();
    event->endDate = createDate(QStringLiteral("13:00")).value().toQDateTime();
    event->title = tr("New Event");
    event->calendar = defaultCalendar();
    return event;
}

std::shared_ptr<CalEvent> BaseCalendarController::createCopyOfEvent(const CalEvent& original,
                                                                    const CalendarDate& start) const {
    auto event = singleEventCopy(original);
    const CalendarDate originalStart = CalendarDate::fromQDateTime(original.startDate);
    const auto shift = qint64(std::llround(start.secondsSince(originalStart) * 1000));
    event->startDate = start.toQDateTime();
    // An all-day event keeps its count of days, which a shift over a change of clock would miss.
    const int days =
        CalendarDate::fromQDateTime(original.endDate).dayOfCommonEra() - originalStart.dayOfCommonEra();
    event->endDate =
        original.isAllDay ? start.dateByAddingDays(days).toQDateTime() : original.endDate.addMSecs(shift);
    for (const auto& alarm : event->alarms)
        if (const auto trigger = alarm->absoluteTrigger())
            alarm->setAbsoluteTrigger(trigger->addMSecs(shift));
    const auto calendar = original.calendar ? m_model.calendarWithUid(original.calendar->uid) : nullptr;
    event->calendar = calendar && calendar->isEditable ? calendar : defaultCalendar();
    return event;
}

std::shared_ptr<CalCalendar> BaseCalendarController::defaultCalendar() const {
    // A read-only calendar sorted first (a subscription) must not make the editor read-only.
    const auto selected = m_model.selectedCalendar();
    if (selected && selected->isEditable)
        return selected;
    const CalendarList& calendars = m_model.calendars();
    const auto editable = std::find_if(calendars.cbegin(), calendars.cend(),
                                       [](const auto& calendar) { return calendar->isEditable; });
    return editable != calendars.cend() ? *editable : nullptr;
}
