#include "CalendarStoreController.h"

#include "ChangeApplier.h"
#include "anyRecordOfSeries.h"
#include "base/Logger.h"
#include "describe.h"

namespace {

QString text(const QDateTime& moment) {
    return moment.toString(Qt::ISODate);
}

void logChange(const CalEvent& event, CalSpan span) {
    VL_LOG(LCALSTORE, Logger::LOG_INFO_LEVEL,
           QStringLiteral("event uid %1 span %2").arg(event.uid).arg(int(span)));
    VL_LOG(LCALSTORE, Logger::LOG_VERBOSE_LEVEL, QStringLiteral("event %1").arg(describe(event)));
}

void logChange(const CalCalendar& calendar) {
    VL_LOG(LCALSTORE, Logger::LOG_INFO_LEVEL, QStringLiteral("calendar uid %1").arg(calendar.uid));
    VL_LOG(LCALSTORE, Logger::LOG_VERBOSE_LEVEL, QStringLiteral("calendar %1").arg(describe(calendar)));
}

void logError(const StoreError& error) {
    VL_LOG(LCALSTORE, Logger::LOG_ERROR_LEVEL,
           QStringLiteral("Error %1 %2: %3").arg(error.domain).arg(error.code).arg(error.description));
}

void logException(const std::exception& exception) {
    VL_LOG(LCALSTORE, Logger::LOG_ERROR_LEVEL,
           QStringLiteral("Exception %1: %2").arg(describe(exception), QString::fromUtf8(exception.what())));
}

} // namespace

template <typename Call> auto CalendarStoreController::withoutUndo(Call call) {
    return m_applier ? m_applier->withoutUndo(call) : call();
}

CalendarStoreController::CalendarStoreController(CalendarStore& store, UserInteraction& userInteraction)
    : m_store(store), m_userInteraction(userInteraction) {}

CalendarStoreController::~CalendarStoreController() = default;

void CalendarStoreController::setChangeApplier(std::unique_ptr<ChangeApplier> applier) {
    m_applier = std::move(applier);
    ChangeApplier* target = m_applier.get();
    using Origin = ChangeApplier::Origin;
    QObject::connect(&m_store, &CalendarStore::eventsChanged, target, [target](const StoreChanges& changes) {
        target->applyEventChanges(changes, Origin::Ours);
    });
    QObject::connect(
        &m_store, &CalendarStore::eventsChangedExternally, target,
        [target](const StoreChanges& changes) { target->applyEventChanges(changes, Origin::Others); });
    QObject::connect(
        &m_store, &CalendarStore::calendarsChanged, target,
        [target](const StoreChanges& changes) { target->applyCalendarChanges(changes, Origin::Ours); });
    QObject::connect(
        &m_store, &CalendarStore::calendarsChangedExternally, target,
        [target](const StoreChanges& changes) { target->applyCalendarChanges(changes, Origin::Others); });
}

CalendarList CalendarStoreController::loadAllCalendars() {
    VL_LOG(LCALSTORE, Logger::LOG_INFO_LEVEL, QString());
    return m_store.calendars();
}

std::shared_ptr<CalCalendar> CalendarStoreController::loadCalendarWithUid(const QString& uid) {
    VL_LOG(LCALSTORE, Logger::LOG_INFO_LEVEL, QStringLiteral("uid %1").arg(uid));
    return m_store.calendarWithUID(uid);
}

EventList CalendarStoreController::loadAllEventsWithStartDate(const QDateTime& start, const QDateTime& end,
                                                              const CalendarList& calendars) {
    VL_LOG(LCALSTORE, Logger::LOG_INFO_LEVEL, QStringLiteral("start %1 end %2").arg(text(start), text(end)));
    const EventList events = m_store.events(start, end, calendars);
    VL_LOG(LCALSTORE, Logger::LOG_VERBOSE_LEVEL, QStringLiteral("Loaded %1 events").arg(events.size()));
    if (m_applier)
        m_applier->setRange(start, end);
    return events;
}

EventList CalendarStoreController::loadEventsWithUid(const QString& uid, const QDateTime& start,
                                                     const QDateTime& end, const CalendarList& calendars) {
    VL_LOG(LCALSTORE, Logger::LOG_INFO_LEVEL,
           QStringLiteral("uid %1 start %2 end %3 calendars.count %4")
               .arg(uid, text(start), text(end))
               .arg(calendars.size()));
    return m_store.events(start, end, uid, calendars);
}

std::shared_ptr<CalEvent> CalendarStoreController::anyRecordOfSeries(const QString& uid) {
    return ::anyRecordOfSeries(m_store, uid);
}

void CalendarStoreController::saveEvent(const CalEvent& event, CalSpan span) {
    logChange(event, span);
    change(
        [&] { return m_store.saveEvent(event, span); },
        tr("Something unexpected happened that prevented the event %1 from being saved.").arg(event.title));
}

void CalendarStoreController::removeEvent(const CalEvent& event, CalSpan span) {
    logChange(event, span);
    change(
        [&] { return m_store.removeEvent(event, span); },
        tr("Something unexpected happened that prevented the event %1 from being removed.").arg(event.title));
}

void CalendarStoreController::removeCalendar(const CalCalendar& calendar) {
    logChange(calendar);
    change([&] { return m_store.removeCalendar(calendar); },
           tr("Something unexpected happened that prevented the calendar %1 from being removed.")
               .arg(calendar.title));
}

std::optional<StoreError> CalendarStoreController::saveCalendar(const CalCalendar& calendar) {
    logChange(calendar);
    try {
        const std::optional<StoreError> error = m_store.saveCalendar(calendar);
        if (error)
            logError(*error);
        return error;
    } catch (const std::exception& exception) {
        logException(exception);
        StoreError error;
        error.code = StoreError::Unexpected;
        error.description =
            tr("Something unexpected happened that prevented the calendar %1 from being saved.")
                .arg(calendar.title);
        return error;
    }
}

CalendarStore::ImportResult CalendarStoreController::importCalendarText(const QString& calendarUid,
                                                                        const QByteArray& text) {
    VL_LOG(LCALSTORE, Logger::LOG_INFO_LEVEL, QStringLiteral("calendar uid %1").arg(calendarUid));
    return withoutUndo([&] { return m_store.importCalendarText(calendarUid, text); });
}

std::optional<StoreError> CalendarStoreController::removeSeriesWithoutUndo(const CalEvent& event) {
    logChange(event, CalSpan::AllEvents);
    const std::optional<StoreError> error =
        withoutUndo([&] { return m_store.removeEvent(event, CalSpan::AllEvents); });
    if (error)
        logError(*error);
    return error;
}

void CalendarStoreController::handleCalendarStoreError(const StoreError& error) {
    m_userInteraction.showStoreError(error);
}

void CalendarStoreController::handleCalendarStoreException(const std::exception& exception,
                                                           const QString& message) {
    m_userInteraction.showWarning(
        message,
        tr("%1\n\nDetailed information:\n%2").arg(QString::fromUtf8(exception.what()), describe(exception)));
}

void CalendarStoreController::change(const std::function<std::optional<StoreError>()>& call,
                                     const QString& unexpectedMessage) {
    try {
        if (const std::optional<StoreError> error = call()) {
            logError(*error);
            handleCalendarStoreError(*error);
        }
    } catch (const std::exception& exception) {
        logException(exception);
        handleCalendarStoreException(exception, unexpectedMessage);
    }
}
