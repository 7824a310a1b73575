#pragma once

#include "TestSupport.h"
#include "records/CalCalendar.h"
#include "records/CalEvent.h"

#include <memory>

inline std::shared_ptr<CalCalendar> testCalendar(const QString& color = QStringLiteral("#3A6EA5"),
                                                 bool editable = true) {
    auto calendar = CalCalendar::calendar();
    calendar->uid = QStringLiteral("home");
    calendar->title = QStringLiteral("Home");
    calendar->color = color;
    calendar->isEditable = editable;
    return calendar;
}

inline std::shared_ptr<CalEvent> testEvent(const QString& title, const CalendarDate& start,
                                           const CalendarDate& end,
                                           const std::shared_ptr<CalCalendar>& calendar = testCalendar()) {
    auto event = CalEvent::event();
    event->uid = title;
    event->title = title;
    event->startDate = start.toQDateTime();
    event->endDate = end.toQDateTime();
    event->calendar = calendar;
    return event;
}
