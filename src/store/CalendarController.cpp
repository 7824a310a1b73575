#include "CalendarController.h"

#include "ApplicationModel.h"
#include "CalendarStoreController.h"
#include "ChangeApplier.h"
#include "base/InternalInconsistency.h"
#include "base/Logger.h"
#include "base/UndoManager.h"
#include "base/UserDefaults.h"
#include "base/VisibleText.h"

#include <QScopeGuard>
#include <QSet>
#include <QUuid>

#include <algorithm>

namespace {

const QString ENABLED_CALENDARS_KEY = QStringLiteral("enabledCalendars");
const QString HAVE_WARNED_ABOUT_CALDAV_KEY = QStringLiteral("haveWarnedAboutCalDavKey");

// The longest interval the timeline shows (100 days): the window grows by this beyond a range it lacks.
constexpr qint64 RANGE_GROWTH_SECONDS = 8'640'000;

// Pure blue (saturation and brightness 1) through the timeline's fill-colour rule: saturation at most 0.7,
// brightness at least 0.7. The hue stays, so blue is at the brightness and red and green at what the
// saturation leaves of it.
QString newCalendarColor() {
    const double saturation = std::min(1.0, 0.7);
    const double brightness = std::max(1.0, 0.7);
    const auto channel = [](double value) {
        return QStringLiteral("%1").arg(qRound(value * 255), 2, 16, QLatin1Char('0'));
    };
    const QString redAndGreen = channel(brightness * (1 - saturation));
    return (u'#' + redAndGreen + redAndGreen + channel(brightness)).toUpper();
}

// One record of each series: removing or moving it with all occurrences covers the others.
EventList oneEventPerUid(const EventList& events) {
    EventList result;
    QSet<QString> uids;
    for (const auto& event : events)
        if (!uids.contains(event->uid)) {
            uids.insert(event->uid);
            result.append(event);
        }
    return result;
}

} // namespace

CalendarController::CalendarController(ApplicationModel& model, CalendarStoreController& storeController,
                                       UndoManager& undoManager, UserDefaults& userDefaults, QObject* parent)
    : BaseCalendarController(model, parent), m_storeController(storeController), m_undoManager(undoManager),
      m_userDefaults(userDefaults) {
    connect(&model, &ApplicationModel::calendarsChanged, this, &CalendarController::warnAboutCalDavCalendars);
    m_undoManager.setConflictQuestion(
        [this](const QStringList& changed, bool undoing) { return askToOverwrite(changed, undoing); });
}

void CalendarController::setNeedsRangeStartDate(const QDateTime& start, const QDateTime& end) {
    if (!m_loadedRangeStartDate.isValid() || !m_loadedRangeEndDate.isValid())
        initialLoad();
    QDateTime newStart = m_loadedRangeStartDate;
    QDateTime newEnd = m_loadedRangeEndDate;
    if (start < newStart)
        newStart = start.addSecs(-RANGE_GROWTH_SECONDS);
    if (end > newEnd)
        newEnd = end.addSecs(RANGE_GROWTH_SECONDS);
    if (newStart != m_loadedRangeStartDate || newEnd != m_loadedRangeEndDate)
        loadEventsFrom(newStart, newEnd);
}

void CalendarController::addEvent(const CalEvent& event) {
    m_storeController.saveEvent(event, CalSpan::AllEvents);
}

void CalendarController::removeEvent(const CalEvent& event) {
    std::optional<CalSpan> span = CalSpan::ThisEvent;
    if (event.recurrenceRule)
        span = askUserForSpan();
    if (span)
        m_storeController.removeEvent(event, *span);
}

bool CalendarController::replaceEvent(const std::shared_ptr<CalEvent>& oldEvent, const CalEvent& newEvent) {
    VL_ASSERT(applicationModel().events().contains(oldEvent),
              QStringLiteral("oldEvent is in applicationModel"));
    VL_ASSERT(oldEvent->uid == newEvent.uid, QStringLiteral("oldEvent.uid == newEvent.uid"));
    std::optional<CalSpan> span = CalSpan::ThisEvent;
    if (oldEvent->recurrenceRule && !oldEvent->isDetached)
        span = newEvent.recurrenceRule ? askUserForSpan() : CalSpan::AllEvents;
    if (!span)
        return false;
    m_storeController.saveEvent(newEvent, *span);
    return true;
}

UserInteraction& CalendarController::userInteraction() const {
    return m_storeController.userInteraction();
}

bool CalendarController::askToOverwrite(const QStringList& changed, bool undoing) {
    const QString name = VisibleText::escaped(changed.first());
    const QString what = changed.size() == 1
                             ? tr("“%1” was changed by another program after this change.").arg(name)
                             : tr("“%1” and %2 more were changed by other programs after this change.")
                                   .arg(name)
                                   .arg(changed.size() - 1);
    const QString consequence = changed.size() == 1
                                    ? (undoing ? tr("Undoing it would overwrite that change.")
                                               : tr("Redoing it would overwrite that change."))
                                    : (undoing ? tr("Undoing it would overwrite those changes.")
                                               : tr("Redoing it would overwrite those changes."));
    return userInteraction().askToOverwrite(what + u' ' + consequence,
                                            undoing ? tr("Undo Anyway") : tr("Redo Anyway"));
}

std::optional<CalSpan> CalendarController::askUserForSpan() {
    return m_storeController.userInteraction().askForSpan(
        tr("Change a Recurring Event"),
        tr("You are changing a recurring event. Would you like to change only this "
           "occurrence, or this and all future occurrences?"));
}

std::shared_ptr<CalCalendar> CalendarController::createNewCalendar() const {
    auto calendar = CalCalendar::calendar();
    calendar->uid = QUuid::createUuid().toString(QUuid::WithoutBraces);
    calendar->title = tr("New Calendar");
    calendar->color = newCalendarColor();
    return calendar;
}

std::optional<StoreError> CalendarController::saveCalendar(const CalCalendar& calendar) {
    return m_storeController.saveCalendar(calendar);
}

std::optional<StoreError> CalendarController::addCalendar(const CalCalendar& calendar) {
    const std::optional<StoreError> error = m_storeController.saveCalendar(calendar);
    if (!error) {
        applicationModel().addEnabledCalendarUidsObject(calendar.uid);
        applicationModel().setSelectedCalendarUid(calendar.uid);
    }
    return error;
}

void CalendarController::removeCalendar(const CalCalendar& calendar) {
    ApplicationModel& model = applicationModel();
    const auto modelCalendar = model.calendarWithUid(calendar.uid);
    if (!modelCalendar)
        return;
    // One group, even if an alert on the way lets the event loop run.
    m_undoManager.beginUndoGrouping();
    const auto endGroup = qScopeGuard([this] { m_undoManager.endUndoGrouping(); });
    if (model.enabledCalendarUids().contains(modelCalendar->uid))
        registerCalendarReenabling(modelCalendar->uid);
    for (const auto& event : oneEventPerUid(model.eventsInCalendar(*modelCalendar)))
        m_storeController.removeEvent(*event, CalSpan::AllEvents);
    // The applier undoes only what the model holds; the series outside its window go with the folder.
    for (const auto& record : seriesOutsideWindow(modelCalendar->uid))
        registerRestoring(record);
    m_storeController.removeCalendar(*modelCalendar);
}

void CalendarController::moveEventsInCalendar(const CalCalendar& from,
                                              const std::shared_ptr<CalCalendar>& to) {
    for (const auto& event : oneEventPerUid(applicationModel().eventsInCalendar(from))) {
        const auto moved = event->copy();
        moved->calendar = to;
        m_storeController.saveEvent(*moved, CalSpan::AllEvents);
    }
    QSet<QString> outside;
    for (const auto& record : seriesOutsideWindow(from.uid))
        outside.insert(record->uid);
    if (!outside.isEmpty())
        moveSeriesWithUndo(outside, from.uid, to->uid);
}

EventList CalendarController::seriesOutsideWindow(const QString& calendarUid) {
    EventList outside;
    for (const auto& record : m_storeController.seriesRecords(calendarUid))
        if (applicationModel().eventsWithUid(record->uid).isEmpty())
            outside.append(record);
    return outside;
}

void CalendarController::moveSeriesWithUndo(const QSet<QString>& uids, const QString& fromUid,
                                            const QString& toUid) {
    const auto to = applicationModel().calendarWithUid(toUid);
    if (!to)
        return;
    for (const auto& record : m_storeController.seriesRecords(fromUid)) {
        if (!uids.contains(record->uid))
            continue;
        const auto moved = record->copy();
        moved->calendar = to;
        m_storeController.saveEvent(*moved, CalSpan::AllEvents);
    }
    m_undoManager.registerUndo([this, uids, fromUid, toUid] { moveSeriesWithUndo(uids, toUid, fromUid); });
}

void CalendarController::registerRestoring(const std::shared_ptr<CalEvent>& record) {
    m_undoManager.registerUndo([this, record] {
        m_storeController.saveEvent(*record, CalSpan::AllEvents);
        // Redoing removes the calendar, and the file with it: keep the record for the next undo.
        m_undoManager.registerUndo([this, record] { registerRestoring(record); });
    });
}

qsizetype CalendarController::seriesCount(const CalCalendar& calendar) const {
    return m_storeController.seriesCount(calendar.uid);
}

void CalendarController::restoreEnableCalendarsDefaults() {
    ApplicationModel& model = applicationModel();
    QSet<QString> enabled;
    if (m_userDefaults.contains(ENABLED_CALENDARS_KEY)) {
        for (const QString& uid : m_userDefaults.value(ENABLED_CALENDARS_KEY).toStringList())
            if (model.calendarWithUid(uid))
                enabled.insert(uid);
    } else {
        for (const auto& calendar : model.calendars())
            enabled.insert(calendar->uid);
    }
    model.setEnabledCalendarUids(enabled);
}

void CalendarController::saveEnabledCalendarsDefaults() {
    const QSet<QString>& enabled = applicationModel().enabledCalendarUids();
    QStringList uids(enabled.cbegin(), enabled.cend());
    uids.sort();
    m_userDefaults.setValue(ENABLED_CALENDARS_KEY, uids);
}

void CalendarController::initialLoad() {
    m_storeController.setChangeApplier(
        std::make_unique<ChangeApplier>(applicationModel(), m_storeController, m_undoManager));
    loadInitialCalendars();
    const QDateTime now = QDateTime::currentDateTimeUtc();
    loadEventsFrom(now.addSecs(-ChangeApplier::INITIAL_RANGE_SECONDS),
                   now.addSecs(ChangeApplier::INITIAL_RANGE_SECONDS));
}

void CalendarController::loadInitialCalendars() {
    applicationModel().setCalendars(m_storeController.loadAllCalendars());
    restoreEnableCalendarsDefaults();
    // Only now, so that restoring does not write the defaults back.
    if (!m_isObserving) {
        connect(&applicationModel(), &ApplicationModel::enabledCalendarUidsChanged, this,
                &CalendarController::saveEnabledCalendarsDefaults);
        m_isObserving = true;
    }
}

void CalendarController::loadEventsFrom(const QDateTime& start, const QDateTime& end) {
    VL_LOG(LCALSTORE, Logger::LOG_INFO_LEVEL,
           QStringLiteral("from %1 to %2").arg(start.toString(Qt::ISODate), end.toString(Qt::ISODate)));
    ApplicationModel& model = applicationModel();
    model.setEvents(m_storeController.loadAllEventsWithStartDate(start, end, model.calendars()));
    m_loadedRangeStartDate = start;
    m_loadedRangeEndDate = end;
}

void CalendarController::warnAboutCalDavCalendars() {
    const CalendarList& calendars = applicationModel().calendars();
    const bool hasCalDav = std::any_of(calendars.cbegin(), calendars.cend(), [](const auto& calendar) {
        return calendar->type == CalCalendarTypeCalDAV;
    });
    if (!hasCalDav || m_userDefaults.value(HAVE_WARNED_ABOUT_CALDAV_KEY).toBool())
        return;
    m_storeController.userInteraction().showNotice(
        tr("Warning about CalDAV calendars"),
        tr("Your calendar store contains one or more CalDAV calendars. Unfortunately, these calendars cannot "
           "be "
           "syncronized by Verdalune, only by the program that synchronizes them. \n\nTo ensure that these "
           "calendars are syncronized, update them using the program that synchronizes them, which will also "
           "update them in Verdalune."));
    m_userDefaults.setValue(HAVE_WARNED_ABOUT_CALDAV_KEY, true);
}

void CalendarController::registerCalendarReenabling(const QString& uid) {
    m_undoManager.registerUndo([this, uid] {
        applicationModel().addEnabledCalendarUidsObject(uid);
        // Redoing removes the calendar, which switches it off again: keep this for the next undo.
        m_undoManager.registerUndo([this, uid] { registerCalendarReenabling(uid); });
    });
}
