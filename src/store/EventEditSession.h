#pragma once

#include "UserInteraction.h"
#include "records/CalEvent.h"

#include <QString>
#include <QStringList>

#include <functional>
#include <memory>

class BaseCalendarController;
class UndoManager;

// One edit of one event, apart from the widgets that show it: a private copy that the fields and typed
// lines change, the stored record it came from (kept current as the store changes), and the save through
// the calendar controller. The event editor, the timeline's in-place field and the helper's editor all
// edit through it; nothing reaches the store before `save`.
class EventEditSession {
public:
    enum class StoredChange {
        None,   // the stored event is as it was, or only its record was replaced
        Reshow, // it changed and the user had changed nothing: the session starts again from it
        Kept,   // it changed under the user's edit, which stays; saving asks
        Gone,   // it is no longer stored
    };
    enum class Outcome {
        Saved,
        Unchanged, // nothing to write
        StayOpen,  // the user stopped the save; the edit goes on
        Discarded, // the user took the other program's version
    };

    // Edits a copy of `event`, a stored record, or a new event the store does not hold yet.
    EventEditSession(const std::shared_ptr<CalEvent>& event, bool isNew);

    const std::shared_ptr<CalEvent>& edited() const { return m_event; }
    // The store's record of the event (none for a new one).
    const std::shared_ptr<CalEvent>& stored() const { return m_storedEvent; }
    // The record the session began with.
    const std::shared_ptr<const CalEvent>& shown() const { return m_shownEvent; }
    bool isNew() const { return m_isNew; }
    bool isEditable() const { return m_event->calendar && m_event->calendar->isEditable; }
    // An all-day event must end after it starts; a timed one must not end before.
    bool isValid() const;
    bool isUnchanged() const;

    // What a typed line is applied to: the event as the fields last made it, so that editing the line
    // never piles up earlier partial results.
    std::shared_ptr<CalEvent> lineBase() const { return m_lineBase->copy(); }
    // Takes the start, end, title, calendar and all-day flag of `built`, the line applied to `lineBase`.
    void takeLine(const CalEvent& built);
    // A field was changed: a line typed next starts from the event as the fields make it now.
    void settle() { m_lineBase = m_event->copy(); }
    void setStart(const QDateTime& start);
    void setEnd(const QDateTime& end);
    // An all-day event covers whole days: from the start's midnight to the midnight after its end.
    void setAllDay(bool allDay);
    void setCalendar(std::shared_ptr<CalCalendar> calendar);
    // The rule; the start and end move to its first occurrence on or after the start (true when they did).
    bool setRule(std::shared_ptr<CalRecurrenceRule> rule);
    // The answer of the attendee with one of `myAddresses`; false when none is the user.
    bool answer(CalAttendee::Status status, const QStringList& myAddresses);

    // The model's record of the event is now `current` (none: it went away).
    StoredChange storedEventIs(const std::shared_ptr<CalEvent>& current);
    // The store holds another version than the one the session began with.
    bool storedChangedSinceShown() const;

    // Stores the edit, undoable as `actionName` ("New Event" for a new event). When another program
    // changed the event during the edit, `askKeepMineOrTheirs` decides.
    Outcome save(BaseCalendarController& calendarController, UndoManager& undoManager,
                 const QString& actionName,
                 const std::function<UserInteraction::EditConflictAnswer()>& askKeepMineOrTheirs);

    // Equal in everything an edit can change: a save of one over the other would write nothing new, and a
    // stored change that differs here is one the user would lose.
    static bool sameStoredState(const CalEvent& a, const CalEvent& b);

private:
    std::shared_ptr<CalEvent> m_event;
    std::shared_ptr<CalEvent> m_lineBase;
    std::shared_ptr<CalEvent> m_storedEvent;
    // The record the session began with: a stored change since then is another program's.
    std::shared_ptr<const CalEvent> m_shownEvent;
    bool m_isNew;
};
