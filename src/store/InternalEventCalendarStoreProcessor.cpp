#include "InternalEventCalendarStoreProcessor.h"

#include "ApplicationModel.h"
#include "CalendarStoreController.h"
#include "base/InternalInconsistency.h"
#include "base/Logger.h"
#include "base/UndoManager.h"
#include "describe.h"

#include <QScopedValueRollback>

InternalEventCalendarStoreProcessor::InternalEventCalendarStoreProcessor(
    ApplicationModel& model, CalendarStoreController& storeController, UndoManager& undoManager)
    : ExternalEventCalendarStoreProcessor(model, storeController), m_undoManager(undoManager),
      m_foreignChanges(storeController) {}

void InternalEventCalendarStoreProcessor::deleteObjectsWithUid(const QString& uid) {
    m_foreignChanges.noteOwnChange(uid);
    const EventList events = m_model.eventsWithUid(uid);
    const std::shared_ptr<CalEvent> selection = m_model.selectedEvent();
    // Records outside the loaded window are not known, so there is nothing to write back.
    if (!m_isUndoDisabled && !events.isEmpty())
        registerInverse(uid, events.first()->title,
                        [this, events, selection] { restoreDeletedEvents(events, selection); });
    ExternalEventCalendarStoreProcessor::deleteObjectsWithUid(uid);
}

void InternalEventCalendarStoreProcessor::addObjectsWithUid(const QString& uid) {
    m_foreignChanges.noteOwnChange(uid);
    ExternalEventCalendarStoreProcessor::addObjectsWithUid(uid);
    if (!m_isUndoDisabled)
        registerInverse(
            uid, QString(), [this, uid] { refetchAndDeleteEventsWithUid(uid); }, true);
}

void InternalEventCalendarStoreProcessor::replaceObjectsWithUid(const QString& uid, const EventList& events) {
    m_foreignChanges.noteOwnChange(uid);
    const EventList previous = m_model.eventsWithUid(uid);
    // Without the previous records (outside the window) undoing would only delete the event.
    if (!m_isUndoDisabled && !previous.isEmpty())
        registerInverse(uid, previous.first()->title,
                        [this, events, previous] { replaceEvents(events, previous); });
    ExternalEventCalendarStoreProcessor::replaceObjectsWithUid(uid, events);
}

void InternalEventCalendarStoreProcessor::registerInverse(const QString& uid, const QString& title,
                                                          const std::function<void()>& inverse,
                                                          bool removes) {
    const quint64 step = m_foreignChanges.newStep();
    m_undoManager.registerUndo(
        [this, inverse] {
            try {
                inverse();
            } catch (const std::exception& exception) {
                reportFailure(exception);
            }
        },
        [this, uid, title, step, removes]() -> std::optional<QString> {
            // Removing what another program removed already overwrites nothing.
            if (!m_foreignChanges.changedSince(step, uid) || (removes && !m_storeController.seriesText(uid)))
                return std::nullopt;
            // Named as the timeline shows it now, with the other program's change.
            const EventList now = m_model.eventsWithUid(uid);
            return now.isEmpty() ? title : now.first()->title;
        });
}

void InternalEventCalendarStoreProcessor::restoreDeletedEvents(const EventList& events,
                                                               const std::shared_ptr<CalEvent>& selection) {
    {
        const QScopedValueRollback<bool> undoDisabled(m_isUndoDisabled, true);
        addEventOccurences(events);
    }
    // The store made new records: select the one that stands for the selected occurrence.
    m_model.setSelectedEvent(selection ? m_model.eventWithKey(EventKey(*selection)) : nullptr);
    // Redo removes the records now in the model: the given ones are older than the files just written.
    const QString uid = events.first()->uid;
    registerInverse(
        uid, events.first()->title, [this, uid] { refetchAndDeleteEventsWithUid(uid); }, true);
}

void InternalEventCalendarStoreProcessor::refetchAndDeleteEventsWithUid(const QString& uid) {
    const EventList events = m_model.eventsWithUid(uid);
    if (!events.isEmpty())
        m_storeController.removeEvent(*events.first(), CalSpan::AllEvents);
}

void InternalEventCalendarStoreProcessor::replaceEvents(const EventList& oldEvents,
                                                        const EventList& newEvents) {
    const QScopedValueRollback<bool> undoDisabled(m_isUndoDisabled, true);
    if (!oldEvents.isEmpty())
        refetchAndDeleteEventsWithUid(oldEvents.first()->uid);
    addEventOccurences(newEvents);
    const EventList& named = newEvents.isEmpty() ? oldEvents : newEvents;
    if (named.isEmpty())
        return;
    const EventList current = m_model.eventsWithUid(named.first()->uid);
    registerInverse(named.first()->uid, named.first()->title,
                    [this, current, oldEvents] { replaceEvents(current, oldEvents); });
}

void InternalEventCalendarStoreProcessor::addEventOccurences(const EventList& events) {
    VL_LOG(LCALSTORE, Logger::LOG_INFO_LEVEL, QStringLiteral("count %1").arg(events.size()));
    if (events.isEmpty())
        return;
    const QString uid = events.first()->uid;
    EventList detached;
    std::shared_ptr<CalEvent> regular;
    QList<QDateTime> occurrences;
    for (const auto& event : events) {
        if (event->isDetached)
            detached.append(event);
        else if (!regular)
            regular = event;
        occurrences.append(event->occurrence);
    }
    // Saving the whole series brings its occurrences into the model through the store's notification.
    if (regular)
        m_storeController.saveEvent(*regular, CalSpan::AllEvents);
    for (const auto& event : detached)
        refetchAndStoreSingleEvent(*event);
    removeEventOccurencesWithUid(uid, occurrences);
}

void InternalEventCalendarStoreProcessor::refetchAndStoreSingleEvent(const CalEvent& detached) {
    const std::shared_ptr<CalEvent> current = refetchEventOccurrence(detached.uid, detached.occurrence);
    VL_ASSERT(current, QStringLiteral("Could not refetch %1 from events %2")
                           .arg(describe(detached), describe(m_model.eventsWithUid(detached.uid))));
    const std::shared_ptr<CalEvent> copy = current->copy();
    assignFromEvent(*copy, detached);
    m_storeController.saveEvent(*copy, CalSpan::ThisEvent);
}

std::shared_ptr<CalEvent>
InternalEventCalendarStoreProcessor::refetchEventOccurrence(const QString& uid,
                                                            const QDateTime& occurrence) const {
    for (const auto& event : m_model.eventsWithUid(uid))
        if (event->occurrence == occurrence)
            return event;
    return nullptr;
}

void InternalEventCalendarStoreProcessor::removeEventOccurencesWithUid(const QString& uid,
                                                                       const QList<QDateTime>& occurrences) {
    QList<QDateTime> missing;
    for (const auto& event : m_model.eventsWithUid(uid))
        if (!occurrences.contains(event->occurrence))
            missing.append(event->occurrence);
    // Each removal rewrites the series and replaces its records: remove the current record each time.
    for (const QDateTime& occurrence : missing)
        if (const auto event = refetchEventOccurrence(uid, occurrence))
            m_storeController.removeEvent(*event, CalSpan::ThisEvent);
}

void InternalEventCalendarStoreProcessor::assignFromEvent(CalEvent& target, const CalEvent& source) {
    VL_ASSERT(!target.recurrenceRule || target.occurrence == source.occurrence,
              QStringLiteral("occurrence not matching for recurring event\n%1\n%2")
                  .arg(target.occurrence.toString(Qt::ISODate), source.occurrence.toString(Qt::ISODate)));
    VL_ASSERT(target.uid == source.uid,
              QStringLiteral("uids not matching.\n%1\n%2").arg(target.uid, source.uid));
    target.calendar = source.calendar;
    target.assignEditableFields(source);
    target.startDate = source.startDate;
    target.endDate = source.endDate;
}
