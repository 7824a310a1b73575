#pragma once

#include "dates/CalendarDate.h"
#include "records/CalEvent.h"

#include <QObject>

#include <memory>

class ApplicationModel;
class UserInteraction;

// What the application's and the helper's calendar controllers share: the model, the default event, and
// the saving the event editor needs.
class BaseCalendarController : public QObject {
    Q_OBJECT
public:
    explicit BaseCalendarController(ApplicationModel& model, QObject* parent = nullptr);

    ApplicationModel& applicationModel() const { return m_model; }

    // Unsaved, with a uid of its own: today 12:00 to 13:00, "New Event", in the selected calendar when that
    // is editable, else in the first editable one in the model's order, else in none.
    std::shared_ptr<CalEvent> createNewEvent() const;
    // Unsaved: a single event of the user's own with the fields of `original` (singleEventCopy),
    // moved to `start` with its length (in days when all-day) and its alarms at fixed times moved along; in
    // the original's calendar when the model has it editable, else where a new event goes.
    std::shared_ptr<CalEvent> createCopyOfEvent(const CalEvent& original, const CalendarDate& start) const;

    // What the event editor saves through.
    virtual void addEvent(const CalEvent& event) = 0;
    // `oldEvent` is the model's record, `newEvent` an edited copy of it. False when nothing was changed
    // because the user cancelled.
    virtual bool replaceEvent(const std::shared_ptr<CalEvent>& oldEvent, const CalEvent& newEvent) = 0;
    // Where the editor asks what the store's own questions are asked through.
    virtual UserInteraction& userInteraction() const = 0;

private:
    // Where a new event goes.
    std::shared_ptr<CalCalendar> defaultCalendar() const;

    ApplicationModel& m_model;
};
