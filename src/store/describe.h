#pragma once

#include "CalendarStore.h"

#include <QString>

#include <exception>

// Short texts of records and failures, for the logs and the details of alerts.
QString describe(const CalEvent& event);
QString describe(const EventList& events);
QString describe(const CalCalendar& calendar);
// The exception's type name.
QString describe(const std::exception& exception);
