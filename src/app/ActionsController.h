#pragma once

#include "dates/CalendarDate.h"
#include "records/CalEvent.h"

#include <QObject>

#include <memory>

class ApplicationModel;
class CalendarController;
class EditEventController;
class TimelineViewController;
class UndoManager;

// The menu and timeline commands that act on events and on the visible range.
class ActionsController : public QObject {
    Q_OBJECT
public:
    // Without `editor`, New Event and opening an event do nothing.
    ActionsController(ApplicationModel& model, CalendarController& calendarController,
                      TimelineViewController& timelineViewController, UndoManager& undoManager,
                      EditEventController* editor = nullptr, QObject* parent = nullptr);

    // Opens the editor on the default new event.
    void createNewEvent();
    // Opens the editor on the selected event.
    void showSelectedEvent();
    // The selected event, after asking which occurrences when it recurs.
    void deleteEvent();
    void displayOneDay();
    void displayOneWeek();
    void displayOneMonth();
    void showNow();

private:
    ApplicationModel& m_model;
    CalendarController& m_calendarController;
    TimelineViewController& m_timelineViewController;
    UndoManager& m_undoManager;
    EditEventController* m_editEventController;
};
