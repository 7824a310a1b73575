#pragma once

#include "EventClipboard.h"
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
    // Copy takes the selected event. Paste stores a new single event like it on the timeline's selected
    // day at its time of day, duplicate at its own start; either selects it and is undoable.
    void copyEvent();
    void pasteEvent();
    void duplicateEvent();
    const EventClipboard& clipboard() const { return m_clipboard; }
    void displayOneDay();
    void displayOneWeek();
    void displayOneMonth();
    void showNow();

private:
    void addCopy(const CalEvent& original, const CalendarDate& start, const QString& actionName);

    ApplicationModel& m_model;
    CalendarController& m_calendarController;
    TimelineViewController& m_timelineViewController;
    UndoManager& m_undoManager;
    EditEventController* m_editEventController;
    EventClipboard m_clipboard;
};
