#include "ChangeApplier.h"

#include "ApplicationModel.h"
#include "CalendarStoreController.h"
#include "base/InternalInconsistency.h"
#include "base/Logger.h"
#include "base/UndoManager.h"
#include "describe.h"

namespace {

const QString SUPPORT_ADDRESS = QStringLiteral("support@pellowick.example");

} // namespace

ChangeApplier::ChangeApplier(ApplicationModel& model, CalendarStoreController& storeController,
                             UndoManager& undoManager)
    : m_model(model), m_storeController(storeController), m_undoManager(undoManager),
      m_foreignChanges(storeController),
      m_rangeStartDate(QDateTime::currentDateTimeUtc().addSecs(-INITIAL_RANGE_SECONDS)),
      m_rangeEndDate(QDateTime::currentDateTimeUtc().addSecs(INITIAL_RANGE_SECONDS)) {}

void ChangeApplier::setRange(const QDateTime& start, const QDateTime& end) {
    VL_LOG(LCALSTORE, Logger::LOG_INFO_LEVEL,
           QStringLiteral("start %1 end %2").arg(start.toString(Qt::ISODate), end.toString(Qt::ISODate)));
    m_rangeStartDate = start;
    m_rangeEndDate = end;
}

void ChangeApplier::applyEventChanges(const StoreChanges& changes, Origin origin) {
    VL_LOG(LCALSTORE, Logger::LOG_INFO_LEVEL, QString());
    try {
        applyKind(changes.deleted, Kind::Deleted, origin);
        applyKind(changes.inserted, Kind::Inserted, origin);
        applyKind(changes.updated, Kind::Updated, origin);
    } catch (const std::exception& exception) {
        reportFailure(exception);
    }
    if (origin == Origin::Others)
        m_foreignChanges.noteOthersChanges(changes);
}

void ChangeApplier::applyKind(const QStringList& uids, Kind kind, Origin origin) {
    if (uids.isEmpty())
        return;
    QHash<QString, EventList> byUid;
    for (const QString& uid : uids) {
        const EventList events = kind == Kind::Deleted ? EventList() : fetchEventsWithUid(uid);
        if (origin == Origin::Ours)
            noteOwnChange(uid, events, kind);
        byUid.insert(uid, events);
    }
    m_model.replaceEvents(byUid);
}

EventList ChangeApplier::fetchEventsWithUid(const QString& uid) {
    const EventList events =
        m_storeController.loadEventsWithUid(uid, m_rangeStartDate, m_rangeEndDate, m_model.calendars());
    VL_LOG(LCALSTORE, Logger::LOG_INFO_LEVEL,
           QStringLiteral("uid %1 events size %2").arg(uid).arg(events.size()));
    return events;
}

// Called before the model changes: the model still holds the previous records.
void ChangeApplier::noteOwnChange(const QString& uid, const EventList& events, Kind kind) {
    m_foreignChanges.noteOwnChange(uid);
    if (m_isUndoDisabled)
        return;
    if (kind == Kind::Inserted) {
        registerInverse(
            uid, QString(), [this, uid] { refetchAndDeleteEventsWithUid(uid); }, true);
        return;
    }
    // Records outside the loaded window are not known, so there is nothing to write back; without the
    // previous records undoing an update would only delete the event.
    const EventList previous = m_model.eventsWithUid(uid);
    if (previous.isEmpty())
        return;
    if (kind == Kind::Deleted) {
        const std::shared_ptr<CalEvent> selection = m_model.selectedEvent();
        registerInverse(uid, previous.first()->title,
                        [this, previous, selection] { restoreDeletedEvents(previous, selection); });
    } else {
        registerInverse(uid, previous.first()->title,
                        [this, events, previous] { replaceStoredEvents(events, previous); });
    }
}

void ChangeApplier::applyCalendarChanges(const StoreChanges& changes, Origin origin) {
    VL_LOG(LCALSTORE, Logger::LOG_INFO_LEVEL, QString());
    const bool ours = origin == Origin::Ours;
    try {
        for (const QString& uid : changes.deleted) {
            const auto calendar = m_model.calendarWithUid(uid);
            m_model.deleteCalendarWithUid(uid);
            if (ours && calendar)
                registerCalendarSaving(calendar);
        }
        // None when the calendar went again before the notice came.
        for (const QString& uid : changes.inserted) {
            if (const auto calendar = m_storeController.loadCalendarWithUid(uid))
                m_model.addCalendar(calendar);
            if (const auto calendar = m_model.calendarWithUid(uid); ours && calendar)
                m_undoManager.registerUndo([this, calendar] { removeCalendarIfExisting(calendar); });
        }
        for (const QString& uid : changes.updated) {
            const auto calendar = m_storeController.loadCalendarWithUid(uid);
            if (!calendar)
                continue;
            VL_LOG(LCALSTORE, Logger::LOG_INFO_LEVEL,
                   QStringLiteral("uid %1 calendar %2").arg(uid, describe(*calendar)));
            const auto previous = m_model.calendarWithUid(uid);
            m_model.replaceCalendarWithUid(uid, calendar);
            if (ours && previous)
                registerCalendarSaving(previous);
        }
    } catch (const std::exception& exception) {
        reportFailure(exception);
    }
}

void ChangeApplier::registerCalendarSaving(const std::shared_ptr<CalCalendar>& calendar) {
    // Nobody else sees the failure of an undo: show it.
    m_undoManager.registerUndo([this, calendar] {
        if (const auto error = m_storeController.saveCalendar(*calendar))
            m_storeController.handleCalendarStoreError(*error);
    });
}

void ChangeApplier::removeCalendarIfExisting(const std::shared_ptr<CalCalendar>& calendar) {
    if (m_model.calendars().contains(calendar))
        m_storeController.removeCalendar(*calendar);
}

void ChangeApplier::reportFailure(const std::exception& exception) {
    VL_LOG(LCALSTORE, Logger::LOG_ERROR_LEVEL,
           QStringLiteral("Exception %1").arg(QString::fromUtf8(exception.what())));
    m_storeController.userInteraction().showWarning(
        tr("There was an unexpected error while handling changes to the calendar."),
        tr("Because of this error, you might not see a correct representation of you calendars, and it is "
           "recommend that you restart the application because of this.\n\nPlease report this error to "
           "%1\n\n%2\n\nDetailed information:\n%3")
            .arg(SUPPORT_ADDRESS, QString::fromUtf8(exception.what()), describe(exception)));
}

void ChangeApplier::registerInverse(const QString& uid, const QString& title,
                                    const std::function<void()>& inverse, bool removes) {
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

void ChangeApplier::restoreDeletedEvents(const EventList& events,
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

void ChangeApplier::refetchAndDeleteEventsWithUid(const QString& uid) {
    const EventList events = m_model.eventsWithUid(uid);
    if (!events.isEmpty())
        m_storeController.removeEvent(*events.first(), CalSpan::AllEvents);
}

void ChangeApplier::replaceStoredEvents(const EventList& oldEvents, const EventList& newEvents) {
    const QScopedValueRollback<bool> undoDisabled(m_isUndoDisabled, true);
    if (!oldEvents.isEmpty())
        refetchAndDeleteEventsWithUid(oldEvents.first()->uid);
    addEventOccurences(newEvents);
    const EventList& named = newEvents.isEmpty() ? oldEvents : newEvents;
    if (named.isEmpty())
        return;
    const EventList current = m_model.eventsWithUid(named.first()->uid);
    registerInverse(named.first()->uid, named.first()->title,
                    [this, current, oldEvents] { replaceStoredEvents(current, oldEvents); });
}

void ChangeApplier::addEventOccurences(const EventList& events) {
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

void ChangeApplier::refetchAndStoreSingleEvent(const CalEvent& detached) {
    const std::shared_ptr<CalEvent> current = refetchEventOccurrence(detached.uid, detached.occurrence);
    VL_ASSERT(current, QStringLiteral("Could not refetch %1 from events %2")
                           .arg(describe(detached), describe(m_model.eventsWithUid(detached.uid))));
    const std::shared_ptr<CalEvent> copy = current->copy();
    assignFromEvent(*copy, detached);
    m_storeController.saveEvent(*copy, CalSpan::ThisEvent);
}

std::shared_ptr<CalEvent> ChangeApplier::refetchEventOccurrence(const QString& uid,
                                                                const QDateTime& occurrence) const {
    for (const auto& event : m_model.eventsWithUid(uid))
        if (event->occurrence == occurrence)
            return event;
    return nullptr;
}

void ChangeApplier::removeEventOccurencesWithUid(const QString& uid, const QList<QDateTime>& occurrences) {
    QList<QDateTime> missing;
    for (const auto& event : m_model.eventsWithUid(uid))
        if (!occurrences.contains(event->occurrence))
            missing.append(event->occurrence);
    // Each removal rewrites the series and replaces its records: remove the current record each time.
    for (const QDateTime& occurrence : missing)
        if (const auto event = refetchEventOccurrence(uid, occurrence))
            m_storeController.removeEvent(*event, CalSpan::ThisEvent);
}

void ChangeApplier::assignFromEvent(CalEvent& target, const CalEvent& source) {
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
