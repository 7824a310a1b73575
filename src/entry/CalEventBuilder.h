#pragma once

#include "ParseTreeNode.h"
#include "dates/CalendarDate.h"
#include "records/CalEvent.h"

#include <QHash>

#include <memory>
#include <vector>

// Writes what a parse tree means into an event: start, end, all-day flag, title and calendar. Nothing
// else of the event changes. The start resolves against the reference (normally now), the end against
// the start; a line without an end keeps the event's length, and a date without a time makes the event
// all-day.
class CalEventBuilder {
public:
    // Calendars by title, compared without regard to letter case; of two titles that differ only in case
    // the one later in the list is taken.
    void setCalendars(const std::vector<std::shared_ptr<CalCalendar>>& calendars);

    void updateEvent(CalEvent& event, const ParseTreeNode& root) const;
    void updateEvent(CalEvent& event, const ParseTreeNode& root, const CalendarDate& reference) const;

    // A date, a date with a time, or a time alone (the next such moment), resolved against `reference`.
    static CalendarDate dateTimeNodeAsCalendarDate(const ParseTreeNode& node, const CalendarDate& reference);

private:
    void updateEventWithEventNode(CalEvent& event, const ParseTreeNode& node,
                                  const CalendarDate& reference) const;
    void updateEventWithIntervalNode(CalEvent& event, const ParseTreeNode& node,
                                     const CalendarDate& reference) const;
    void updateEventWithCalendarNode(CalEvent& event, const ParseTreeNode& node) const;

    QHash<QString, std::shared_ptr<CalCalendar>> m_calendarsByName;
};
