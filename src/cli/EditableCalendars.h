#pragma once

#include "store/CalendarStore.h"

// The calendars a command may write to, in the order it was given them, and the one an option names.
class EditableCalendars {
public:
    explicit EditableCalendars(const CalendarList& calendars);

    const CalendarList& all() const { return m_calendars; }
    // The one titled `title`, without regard to letter case; null when none is.
    std::shared_ptr<CalCalendar> named(const QString& title) const;

private:
    CalendarList m_calendars;
};
