#include "TimelineViewController.h"

#include "InlineEditEventController.h"
#include "TimelineView.h"
#include "base/InternalInconsistency.h"
#include "base/Logger.h"
#include "base/UndoManager.h"
#include "entry/CalEventBuilder.h"
#include "entry/ParsingController.h"
#include "store/ApplicationModel.h"
#include "store/CalendarController.h"
#include "store/EventEditSession.h"
#include "timeline/LinearDateToPositionMapping.h"
#include "timeline/LogDateToPositionMapping.h"
#include "timeline/timelineSettings.h"

#include <algorithm>

namespace {

constexpr double DAY_TIME_INTERVAL = 86400;
constexpr double WEEK_TIME_INTERVAL = 604800;
constexpr double MONTH_TIME_INTERVAL = 2678400;
constexpr double TIMELINE_RANGE_KEYBOARD_DELTA_FACTOR = 1.5;
constexpr int TIMER_INTERVAL_MS = 60000;

// A line typed over an event is its new title unless it holds a time, a range or a calendar before the
// title ("4pm to 5:30pm budget", "work: fri 9am review"): "Mon standup", "March planning" and "10 things
// to do" are titles. A calendar alone is a title too: the language ignores what follows the name, so
// "Home office" would move the event to Home and drop the words.
bool namesMoreThanATitle(const ParseTreeNode& node) {
    switch (node.type()) {
    case ParseTreeNode::TIME:
    case ParseTreeNode::calendarAndEvent:
    case ParseTreeNode::calendarAndInterval:
        return true;
    case ParseTreeNode::interval:
        if (node.childNodes().size() > 1)
            return true;
        break;
    default:
        break;
    }
    return std::any_of(node.childNodes().begin(), node.childNodes().end(), namesMoreThanATitle);
}

CalendarDate local(const QDateTime& moment) {
    return CalendarDate::fromQDateTime(moment);
}

} // namespace

TimelineViewController::TimelineViewController(TimelineView& view, ApplicationModel& model,
                                               CalendarController& calendarController,
                                               UndoManager& undoManager, ParsingController* parsingController,
                                               QObject* parent)
    : QObject(parent), m_view(view), m_model(model), m_calendarController(calendarController),
      m_undoManager(undoManager), m_parsingController(parsingController),
      m_logMapping(std::make_shared<LogDateToPositionMapping>()),
      m_linearMapping(std::make_shared<LinearDateToPositionMapping>()), m_timeInterval(view.timeInterval()) {
    m_view.setDelegate(this);

    connect(&m_model, &ApplicationModel::eventsChanged, this, &TimelineViewController::eventsDidChange);
    connect(&m_model, &ApplicationModel::calendarFilterChanged, this, &TimelineViewController::showEvents);
    connect(&m_model, &ApplicationModel::calendarsChanged, this,
            [this] { m_view.setCalendars(m_model.calendars()); });
    connect(&m_model, &ApplicationModel::selectedEventChanged, this, &TimelineViewController::showSelection);
    connect(&m_view, &TimelineView::selectedEventChanged, this,
            [this] { m_model.setSelectedEvent(m_view.selectedEvent()); });
    connect(&m_view, &TimelineView::startDateChanged, this, [this] {
        loadVisibleRange();
        emit centeredDateChanged();
        m_isCenteredOnNow = false; // showNow sets it again once it has moved the view
    });
    // The view changes its interval itself on a pinch.
    connect(&m_view, &TimelineView::timeIntervalChanged, this, [this] {
        setTimeInterval(m_view.timeInterval());
        loadVisibleRange();
        emit centeredDateChanged();
    });
    connect(&m_view, &TimelineView::dateToPositionMappingChanged, this,
            [this] { emit viewModeChanged(viewMode()); });

    connect(&m_timer, &QTimer::timeout, this, &TimelineViewController::timerFired);
    m_timer.start(TIMER_INTERVAL_MS);

    m_view.setCalendars(m_model.calendars());
    showEvents();
    showSelection();
}

TimelineViewController::~TimelineViewController() {
    m_view.setDelegate(nullptr);
}

void TimelineViewController::setClock(std::function<CalendarDate()> clock) {
    m_view.setClock(std::move(clock));
}

void TimelineViewController::showEvents() {
    m_view.setEvents(eventsToShow());
}

void TimelineViewController::eventsDidChange(const ApplicationModel::EventsChange& change) {
    if (change.isWhole)
        showEvents();
    else
        m_view.replaceEvents(eventsToShow(), change.removed);
}

EventList TimelineViewController::eventsToShow() const {
    EventList shown;
    const ApplicationModel::EventFilter keep = m_model.calendarFilter();
    std::copy_if(m_model.events().begin(), m_model.events().end(), std::back_inserter(shown),
                 [&](const auto& event) { return keep(*event) && event != m_editedOriginal; });
    if (m_editedEvent)
        shown.append(m_editedEvent);
    return shown;
}

void TimelineViewController::setEditedEvent(std::shared_ptr<CalEvent> edited,
                                            std::shared_ptr<CalEvent> original) {
    m_editedEvent = std::move(edited);
    m_editedOriginal = m_editedEvent ? std::move(original) : nullptr;
    // Each change comes as a new record, so only the edited event is arranged anew.
    m_view.setEventsKeepingArrangements(eventsToShow());
}

void TimelineViewController::showSelection() {
    m_view.setSelectedEvent(m_model.selectedEvent());
}

void TimelineViewController::loadVisibleRange() {
    m_calendarController.setNeedsRangeStartDate(m_view.startDate().toQDateTime(),
                                                m_view.endDate().toQDateTime());
}

void TimelineViewController::setTimeInterval(double seconds) {
    const double clamped = std::clamp(seconds, MIN_TIME_INTERVAL, MAX_TIME_INTERVAL);
    if (clamped == m_timeInterval && m_view.timeInterval() == clamped)
        return;
    m_timeInterval = clamped;
    m_view.setTimeInterval(clamped);
    emit timeIntervalChanged(clamped);
    emit displayRangeTagChanged(displayRangeTag());
}

int TimelineViewController::viewMode() const {
    return m_view.mapping() == m_linearMapping ? Linear : Logarithmic;
}

void TimelineViewController::setViewMode(int mode) {
    VL_ASSERT(mode == Logarithmic || mode == Linear, QStringLiteral("unexpected mode"));
    m_view.setDateToPositionMapping(mode == Linear ? m_linearMapping : m_logMapping);
    emit viewModeChanged(viewMode());
}

int TimelineViewController::displayRangeTag() const {
    const double interval = m_view.timeInterval();
    if (interval == DAY_TIME_INTERVAL)
        return OneDay;
    if (interval == WEEK_TIME_INTERVAL)
        return OneWeek;
    if (interval == MONTH_TIME_INTERVAL)
        return OneMonth;
    return OtherRange;
}

void TimelineViewController::setDisplayRangeTag(int tag) {
    VL_ASSERT(tag == OneDay || tag == OneWeek || tag == OneMonth,
              QStringLiteral("Unexpected display range tag encountered"));
    setTimeInterval(tag == OneDay    ? DAY_TIME_INTERVAL
                    : tag == OneWeek ? WEEK_TIME_INTERVAL
                                     : MONTH_TIME_INTERVAL);
}

CalendarDate TimelineViewController::startDate() const {
    return m_view.startDate();
}

void TimelineViewController::setStartDate(const CalendarDate& date) {
    m_view.setStartDate(date);
    m_isCenteredOnNow = false;
}

double TimelineViewController::timeIntervalMargin() const {
    return m_view.dateToPositionMapping()
        .dateForHorizontalPosition(CENTERED_POSITION_LEFT_MARGIN, m_view)
        .secondsSince(m_view.startDate());
}

CalendarDate TimelineViewController::centeredDate() const {
    return m_view.startDate().addingSeconds(timeIntervalMargin());
}

void TimelineViewController::setCenteredDate(const CalendarDate& date) {
    m_view.setStartDate(date.addingSeconds(-timeIntervalMargin()));
}

CalendarDate TimelineViewController::selectedDay() const {
    return m_view.dateUnderPointer().value_or(centeredDate()).truncateToDay();
}

void TimelineViewController::toggleLinearLogScale() {
    VL_LOG(LACTIONS, Logger::LOG_INFO_LEVEL, QString());
    setViewMode(viewMode() == Linear ? Logarithmic : Linear);
}

void TimelineViewController::showNow() {
    setCenteredDate(m_view.now());
    m_isCenteredOnNow = true;
}

void TimelineViewController::showDateWithUndo(const CalendarDate& date) {
    VL_LOG(LACTIONS, Logger::LOG_INFO_LEVEL, QString());
    const CalendarDate previous = startDate();
    m_undoManager.registerUndo([this, previous] { setStartDateWithUndo(previous); });
    setCenteredDate(date);
}

void TimelineViewController::setStartDateWithUndo(const CalendarDate& date) {
    VL_LOG(LACTIONS, Logger::LOG_INFO_LEVEL, QString());
    const CalendarDate previous = startDate();
    m_undoManager.registerUndo([this, previous] { setStartDateWithUndo(previous); });
    m_view.setStartDate(date);
}

void TimelineViewController::ensureEventIsVisible(const CalEvent& event) {
    if (event.calendar)
        m_model.addEnabledCalendarUidsObject(event.calendar->uid);
    const CalendarDate start = local(event.startDate), end = local(event.endDate);
    const bool startsInView = m_view.startDate() <= start && start <= m_view.endDate();
    const bool spansView = start < m_view.startDate() && end > m_view.endDate();
    if (!startsInView && !spansView)
        setCenteredDate(start);
}

void TimelineViewController::nextView() {
    VL_LOG(LACTIONS, Logger::LOG_INFO_LEVEL, QString());
    setStartDate(startDate().addingSeconds(m_timeInterval));
}

void TimelineViewController::previousView() {
    VL_LOG(LACTIONS, Logger::LOG_INFO_LEVEL, QString());
    setStartDate(startDate().addingSeconds(-m_timeInterval));
}

void TimelineViewController::increaseRange() {
    VL_LOG(LACTIONS, Logger::LOG_INFO_LEVEL, QString());
    setTimeInterval(m_timeInterval * TIMELINE_RANGE_KEYBOARD_DELTA_FACTOR);
}

void TimelineViewController::decreaseRange() {
    VL_LOG(LACTIONS, Logger::LOG_INFO_LEVEL, QString());
    setTimeInterval(m_timeInterval / TIMELINE_RANGE_KEYBOARD_DELTA_FACTOR);
}

void TimelineViewController::timerFired() {
    m_view.update();
    if (m_isCenteredOnNow)
        showNow();
}

std::shared_ptr<CalEvent> TimelineViewController::createEventWithStart(const CalendarDate& start,
                                                                       const CalendarDate& end) {
    const std::shared_ptr<CalEvent> event = m_calendarController.createNewEvent();
    event->startDate = start.toQDateTime();
    event->endDate = end.toQDateTime();
    VL_LOG(LACTIONS, Logger::LOG_INFO_LEVEL,
           QStringLiteral("%1 %2").arg(event->startDate.toString(Qt::ISODate),
                                       event->endDate.toString(Qt::ISODate)));
    return addEventAndSelect(*event, tr("New Event"));
}

std::shared_ptr<CalEvent> TimelineViewController::addEventAndSelect(const CalEvent& event,
                                                                    const QString& actionName) {
    m_calendarController.addEvent(event);
    m_undoManager.setActionName(actionName);
    // The store has reported the new event by now; a refusal has been shown to the user.
    const EventList stored = m_model.eventsWithUid(event.uid);
    if (stored.isEmpty())
        return nullptr;
    m_model.setSelectedEvent(stored.front());
    ensureEventIsVisible(*stored.front());
    return stored.front();
}

void TimelineViewController::selectedEventWasClicked(const std::shared_ptr<CalEvent>& event) {
    VL_LOG(LACTIONS, Logger::LOG_INFO_LEVEL, event->title);
    if (m_model.selectedEvent())
        emit selectedEventOpenRequested();
}

void TimelineViewController::didModifyEvent(const std::shared_ptr<CalEvent>& modified,
                                            const std::shared_ptr<CalEvent>& event) {
    VL_LOG(LACTIONS, Logger::LOG_INFO_LEVEL,
           QStringLiteral("%1 %2").arg(event->uid, modified->startDate.toString(Qt::ISODate)));
    if (!m_calendarController.replaceEvent(event, *modified))
        m_view.setNeedsNewLayout(); // cancelled: show the event where it is stored
    m_undoManager.setActionName(tr("Edit Event"));
}

std::optional<ParseTreeNode> TimelineViewController::datesOfLine(const QString& line) {
    std::optional<ParseTreeNode> tree =
        m_parsingController ? m_parsingController->parseEvent(line) : std::nullopt;
    if (tree && !namesMoreThanATitle(*tree))
        tree.reset();
    return tree;
}

int TimelineViewController::recognisedLengthOfLine(const QString& line) {
    const std::optional<ParseTreeNode> tree = datesOfLine(line);
    return tree ? ParsingController::recognisedLength(line, *tree) : 0;
}

void TimelineViewController::didEnterLineForEvent(const std::shared_ptr<CalEvent>& event,
                                                  const QString& line) {
    EventEditSession session(event, false);
    const std::optional<ParseTreeNode> tree = datesOfLine(line);
    if (tree) {
        CalEventBuilder builder;
        const CalendarList& calendars = m_model.calendars();
        builder.setCalendars({calendars.begin(), calendars.end()});
        const std::shared_ptr<CalEvent> built = session.lineBase();
        builder.updateEvent(*built, *tree, m_view.now());
        session.takeLine(*built);
    } else {
        session.edited()->title = line;
    }
    // The field opens over an event just made: no other program's change can stand in between.
    session.save(m_calendarController, m_undoManager, tree ? tr("Edit Event") : tr("Rename Event"),
                 [] { return UserInteraction::EditConflictAnswer::KeepMine; });
}
