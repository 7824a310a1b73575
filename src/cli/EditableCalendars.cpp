#include "EditableCalendars.h"

#include <algorithm>

EditableCalendars::EditableCalendars(const CalendarList& calendars) {
    std::copy_if(calendars.begin(), calendars.end(), std::back_inserter(m_calendars),
                 [](const auto& calendar) { return calendar->isEditable; });
}

std::shared_ptr<CalCalendar> EditableCalendars::named(const QString& title) const {
    const auto found = std::find_if(m_calendars.begin(), m_calendars.end(), [&](const auto& calendar) {
        return calendar->title.compare(title, Qt::CaseInsensitive) == 0;
    });
    return found == m_calendars.end() ? nullptr : *found;
}
