#pragma once

#include "dates/CalendarDate.h"
#include "records/CalEvent.h"

#include <QString>

#include <memory>

// What the timeline view tells the one who owns it.
class TimelineViewDelegate {
public:
    virtual ~TimelineViewDelegate() = default;
    // The stored record of the new event, or none.
    virtual std::shared_ptr<CalEvent> createEventWithStart(const CalendarDate& start,
                                                           const CalendarDate& end) = 0;
    // A double click on the selected event.
    virtual void selectedEventWasClicked(const std::shared_ptr<CalEvent>& event) = 0;
    // After a drag: `modified` is a changed copy; `event` is the record the view shows, which is back in
    // its stored state (equal to the event before the drag).
    virtual void didModifyEvent(const std::shared_ptr<CalEvent>& modified,
                                const std::shared_ptr<CalEvent>& event) = 0;
    // Return in the in-place field over `event`, with the line typed there.
    virtual void didEnterLineForEvent(const std::shared_ptr<CalEvent>& event, const QString& line) = 0;
    // How many characters at the start of a line typed there will be taken as dates, times and a
    // calendar: 0 when all of it would become the title.
    virtual int recognisedLengthOfLine(const QString& line) = 0;
    // The keys of the focused timeline: the range before or after, now, and an event the keyboard
    // selected.
    virtual void previousView() = 0;
    virtual void nextView() = 0;
    virtual void showNow() = 0;
    virtual void ensureEventIsVisible(const CalEvent& event) = 0;
};
