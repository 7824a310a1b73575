#include "EventEditSession.h"

#include "ApplicationModel.h"
#include "BaseCalendarController.h"
#include "base/UndoManager.h"
#include "dates/CalendarDate.h"
#include "ics/ruleAlignedDates.h"

#include <algorithm>
#include <tuple>

namespace {

bool isMidnight(const QDateTime& moment) {
    const QTime time = moment.toLocalTime().time();
    return time.hour() == 0 && time.minute() == 0 && time.second() == 0;
}

QDateTime startOfDay(const QDateTime& moment) {
    return CalendarDate::fromQDateTime(moment).truncateToDay().toQDateTime();
}

} // namespace

EventEditSession::EventEditSession(const std::shared_ptr<CalEvent>& event, bool isNew)
    : m_event(event->copy()), m_lineBase(m_event->copy()), m_storedEvent(isNew ? nullptr : event),
      m_shownEvent(event), m_isNew(isNew) {}

bool EventEditSession::isValid() const {
    return m_event->isAllDay ? m_event->startDate < m_event->endDate : m_event->startDate <= m_event->endDate;
}

bool EventEditSession::isUnchanged() const {
    return m_storedEvent && sameStoredState(*m_event, *m_storedEvent);
}

void EventEditSession::takeLine(const CalEvent& built) {
    m_event->startDate = built.startDate;
    m_event->endDate = built.endDate;
    m_event->title = built.title;
    m_event->calendar = built.calendar;
    m_event->isAllDay = built.isAllDay;
}

void EventEditSession::setStart(const QDateTime& start) {
    m_event->startDate = start;
    settle();
}

void EventEditSession::setEnd(const QDateTime& end) {
    m_event->endDate = end;
    settle();
}

void EventEditSession::setAllDay(bool allDay) {
    m_event->isAllDay = allDay;
    m_event->startDate = startOfDay(m_event->startDate);
    if (!isMidnight(m_event->endDate))
        m_event->endDate =
            CalendarDate::fromQDateTime(startOfDay(m_event->endDate)).dateByAddingDays(1).toQDateTime();
    settle();
}

void EventEditSession::setCalendar(std::shared_ptr<CalCalendar> calendar) {
    m_event->calendar = std::move(calendar);
    settle();
}

bool EventEditSession::setRule(std::shared_ptr<CalRecurrenceRule> rule) {
    m_event->recurrenceRule = std::move(rule);
    // A series begins on an occurrence of its rule: other programs differ on one that does not.
    const auto aligned = ruleAlignedDates(*m_event);
    if (!aligned)
        return false;
    std::tie(m_event->startDate, m_event->endDate) = *aligned;
    settle();
    return true;
}

bool EventEditSession::answer(CalAttendee::Status status, const QStringList& myAddresses) {
    const qsizetype mine = CalAttendee::indexOf(m_event->attendees, myAddresses);
    if (mine < 0)
        return false;
    CalAttendee& me = m_event->attendees[mine];
    me.status = status;
    me.replyRequested = false; // answered
    return true;
}

EventEditSession::StoredChange EventEditSession::storedEventIs(const std::shared_ptr<CalEvent>& current) {
    // A new event is not in the store yet, so nothing there can have changed it.
    if (m_isNew)
        return StoredChange::None;
    if (!current)
        return StoredChange::Gone;
    const bool changed = current != m_storedEvent && !sameStoredState(*current, *m_storedEvent);
    if (changed && sameStoredState(*m_event, *m_shownEvent)) {
        *this = EventEditSession(current, false);
        return StoredChange::Reshow;
    }
    m_storedEvent = current;
    return changed ? StoredChange::Kept : StoredChange::None;
}

bool EventEditSession::storedChangedSinceShown() const {
    return m_storedEvent && !sameStoredState(*m_storedEvent, *m_shownEvent);
}

EventEditSession::Outcome
EventEditSession::save(BaseCalendarController& calendarController, UndoManager& undoManager,
                       const QString& actionName,
                       const std::function<UserInteraction::EditConflictAnswer()>& askKeepMineOrTheirs) {
    if (m_isNew) {
        calendarController.addEvent(*m_event);
        undoManager.setActionName(actionName);
        return Outcome::Saved;
    }
    // Writing would change nothing but the file's time, and make a sync upload it for nothing.
    if (isUnchanged())
        return Outcome::Unchanged;
    if (storedChangedSinceShown()) {
        switch (askKeepMineOrTheirs()) {
        case UserInteraction::EditConflictAnswer::Cancel:
            return Outcome::StayOpen;
        case UserInteraction::EditConflictAnswer::TakeTheirs:
            return Outcome::Discarded;
        case UserInteraction::EditConflictAnswer::KeepMine:
            break;
        }
    }
    if (!calendarController.replaceEvent(m_storedEvent, *m_event))
        return Outcome::StayOpen; // the user stopped the save, not the edit
    undoManager.setActionName(actionName);
    return Outcome::Saved;
}

bool EventEditSession::sameStoredState(const CalEvent& a, const CalEvent& b) {
    return a.title == b.title && a.startDate == b.startDate && a.endDate == b.endDate &&
           a.isAllDay == b.isAllDay && a.location == b.location && a.notes == b.notes &&
           a.attendees == b.attendees &&
           (a.calendar ? a.calendar->uid : QString()) == (b.calendar ? b.calendar->uid : QString()) &&
           CalRecurrenceRule::same(a.recurrenceRule.get(), b.recurrenceRule.get()) &&
           std::equal(a.alarms.begin(), a.alarms.end(), b.alarms.begin(), b.alarms.end(),
                      [](const auto& x, const auto& y) { return x->sameAs(*y); });
}
