#include "SearchController.h"

#include "SearchResultsModel.h"
#include "SearchResultsPane.h"
#include "base/Logger.h"
#include "base/UserDefaults.h"
#include "store/ApplicationModel.h"
#include "store/CalendarController.h"
#include "timeline/view/TimelineView.h"
#include "timeline/view/TimelineViewController.h"

#include <QComboBox>
#include <QKeyEvent>
#include <QLineEdit>
#include <QSplitter>
#include <QTableView>

#include <algorithm>

namespace {

constexpr qint64 NEARBY_SECONDS = 31622400; // 366 days
constexpr int MINIMUM_PANE_HEIGHT = 100;

QDateTime now() {
    return QDateTime::currentDateTimeUtc();
}

} // namespace

SearchController::SearchController(ApplicationModel& model, CalendarController& calendarController,
                                   TimelineViewController& timelineViewController, UserDefaults& defaults,
                                   std::function<void()> openSelectedEvent, QObject* parent)
    : QObject(parent), m_model(model), m_calendarController(calendarController),
      m_timeline(timelineViewController), m_defaults(defaults),
      m_openSelectedEvent(std::move(openSelectedEvent)), m_index(model), m_field(new QLineEdit),
      m_pane(new SearchResultsPane),
      m_results(new SearchResultsModel(timelineViewController.timelineView().dateFormatter(), this)) {
    m_field->setAccessibleName(tr("Search"));
    m_field->setPlaceholderText(tr("Search events"));
    m_field->setClearButtonEnabled(true);
    m_field->installEventFilter(this);
    m_timeline.timelineView().installEventFilter(this);
    connect(m_field, &QLineEdit::textChanged, this, &SearchController::search);

    m_pane->hide();
    m_pane->setResults(m_results);
    connect(table()->selectionModel(), &QItemSelectionModel::selectionChanged, this,
            &SearchController::selectionDidChange);
    connect(m_pane, &SearchResultsPane::rowOpened, this, &SearchController::openEvent);
    connect(m_pane, &SearchResultsPane::closeRequested, this, &SearchController::close);

    m_calendarsMode = storedCalendarsMode();
    m_rangeMode = storedRangeMode();
    m_pane->calendarsChoice()->setCurrentIndex(m_calendarsMode);
    m_pane->rangeChoice()->setCurrentIndex(int(m_rangeMode));
    connect(m_pane->calendarsChoice(), &QComboBox::currentIndexChanged, this,
            &SearchController::setSearchCalendarsMode);
    connect(m_pane->rangeChoice(), &QComboBox::currentIndexChanged, this,
            [this](int index) { setSearchRangeMode(SearchRange(index)); });
    connect(&m_defaults, &UserDefaults::valueChanged, this, [this](const QString& key) {
        if (key == SearchCalendarsKey)
            setSearchCalendarsMode(storedCalendarsMode());
        if (key == SearchRangeKey)
            setSearchRangeMode(storedRangeMode());
    });

    connect(&m_model, &ApplicationModel::eventsChanged, this, &SearchController::eventsDidChange);
    connect(&m_model, &ApplicationModel::enabledCalendarUidsChanged, this, [this] {
        if (m_calendarsMode == ShownCalendars)
            refreshKeepingSelection();
    });
}

// Placed widgets belong to the window; only unplaced ones are this controller's.
SearchController::~SearchController() {
    if (m_field)
        m_field->removeEventFilter(this);
    if (m_field && !m_field->parent())
        delete m_field;
    if (m_pane && !m_pane->parent())
        delete m_pane;
}

QTableView* SearchController::table() const {
    return m_pane->table();
}

const EventList& SearchController::foundEvents() const {
    return m_results->events();
}

void SearchController::placeInSplitter(QSplitter& splitter) {
    m_splitter = &splitter;
    splitter.addWidget(m_pane);
    m_pane->hide();
    splitter.setCollapsible(0, false);
    splitter.setCollapsible(splitter.indexOf(m_pane), true);
    connect(&splitter, &QSplitter::splitterMoved, this, &SearchController::paneWasResized);
}

void SearchController::focusSearchField() {
    m_field->window()->activateWindow();
    m_field->setFocus(Qt::ShortcutFocusReason);
    m_field->selectAll();
}

int SearchController::storedCalendarsMode() const {
    return m_defaults.value(SearchCalendarsKey).toInt() == ShownCalendars ? ShownCalendars : AllCalendars;
}

SearchRange SearchController::storedRangeMode() const {
    const int range = m_defaults.value(SearchRangeKey).toInt();
    return range == int(SearchRange::Future) || range == int(SearchRange::Past) ? SearchRange(range)
                                                                                : SearchRange::PastAndFuture;
}

// Any value other than 1 searches all calendars.
void SearchController::setSearchCalendarsMode(int mode) {
    mode = mode == ShownCalendars ? ShownCalendars : AllCalendars;
    if (mode == m_calendarsMode)
        return;
    m_calendarsMode = mode;
    m_pane->calendarsChoice()->setCurrentIndex(mode);
    m_defaults.setValue(SearchCalendarsKey, mode);
    search();
}

void SearchController::setSearchRangeMode(SearchRange mode) {
    if (mode == m_rangeMode)
        return;
    m_rangeMode = mode;
    m_pane->rangeChoice()->setCurrentIndex(int(mode));
    m_defaults.setValue(SearchRangeKey, int(mode));
    search();
}

SearchCriteria SearchController::criteria() const {
    SearchCriteria criteria{m_field->text(), std::nullopt, m_rangeMode, now()};
    if (m_calendarsMode == ShownCalendars)
        criteria.calendarUids = m_model.enabledCalendarUids();
    return criteria;
}

bool SearchController::isSearching() const {
    return !m_pane->isHidden();
}

void SearchController::search() {
    const QString text = m_field->text();
    VL_LOG(LACTIONS, Logger::LOG_INFO_LEVEL, QStringLiteral("search string %1").arg(text));
    if (text.isEmpty()) {
        hidePane();
        return;
    }
    if (!isSearching())
        openPane();
    ensureNearbyEventsLoaded();
    showFoundEvents(m_index.matches(criteria()));
    selectEvent();
}

// A third of the height, but at least 100 px.
void SearchController::openPane() {
    m_pane->show();
    if (!m_splitter)
        return;
    const int height = m_splitter->height();
    const int paneHeight = std::max(MINIMUM_PANE_HEIGHT, height / 3);
    m_splitter->setSizes({std::max(0, height - paneHeight), paneHeight});
}

void SearchController::hidePane() {
    m_pane->hide();
    m_results->setEvents({});
    m_timeline.timelineView().setFocusedEvents({});
}

void SearchController::close() {
    VL_LOG(LACTIONS, Logger::LOG_INFO_LEVEL, QString());
    m_field->clear();
    hidePane();
    m_timeline.timelineView().setFocus(Qt::OtherFocusReason);
}

void SearchController::ensureNearbyEventsLoaded() {
    const QDateTime moment = now();
    m_calendarController.setNeedsRangeStartDate(moment.addSecs(-NEARBY_SECONDS),
                                                moment.addSecs(NEARBY_SECONDS));
}

void SearchController::showFoundEvents(const EventList& found) {
    m_results->setEvents(found);
    m_timeline.timelineView().setFocusedEvents(found);
}

// New records of the same occurrences come with every reload: the selected row stays on its occurrence,
// without moving the timeline.
void SearchController::refreshKeepingSelection() {
    if (isSearching())
        showKeepingSelection(m_index.matches(criteria()));
}

void SearchController::eventsDidChange(const ApplicationModel::EventsChange& change) {
    if (!isSearching())
        return;
    if (change.isWhole) {
        refreshKeepingSelection();
        return;
    }
    const QSet<const CalEvent*> removed = change.removedRecords();
    EventList found;
    for (const auto& event : foundEvents())
        if (!removed.contains(event.get()))
            found.append(event);
    found.append(EventSearchIndex::matchesAmong(change.added, criteria()));
    EventSearchIndex::sortByStart(found);
    showKeepingSelection(found);
}

void SearchController::showKeepingSelection(const EventList& found) {
    const auto selected = selectedEvent();
    showFoundEvents(found);
    if (!selected)
        return;
    const EventKey key(*selected);
    const auto same =
        std::find_if(found.begin(), found.end(), [&](const auto& e) { return EventKey(*e) == key; });
    if (same == found.end())
        return;
    m_isRestoringSelection = true;
    selectRow(int(same - found.begin()));
    m_isRestoringSelection = false;
}

// Past and future: the nearest match starting now or later, else the last; future: the first; past: the
// last.
void SearchController::selectEvent() {
    const EventList& found = foundEvents();
    if (found.isEmpty())
        return;
    int row = int(found.size()) - 1;
    if (m_rangeMode == SearchRange::Future) {
        row = 0;
    } else if (m_rangeMode == SearchRange::PastAndFuture) {
        const QDateTime moment = now();
        const auto upcoming = std::find_if(found.begin(), found.end(),
                                           [&](const auto& event) { return event->startDate >= moment; });
        if (upcoming != found.end())
            row = int(upcoming - found.begin());
    }
    selectRow(row);
}

void SearchController::selectRow(int row) {
    table()->selectRow(row);
    table()->scrollTo(m_results->index(row, 0));
}

std::shared_ptr<CalEvent> SearchController::selectedEvent() const {
    const QModelIndexList rows = table()->selectionModel()->selectedRows();
    return rows.size() == 1 ? foundEvents().value(rows.front().row()) : nullptr;
}

// Selected first: centring may load more, and the model keeps a selection across a reload.
void SearchController::selectionDidChange() {
    const auto event = selectedEvent();
    if (m_isRestoringSelection || !event)
        return;
    m_model.setSelectedEvent(event);
    m_timeline.setCenteredDate(CalendarDate::fromQDateTime(event->startDate));
}

void SearchController::openEvent() {
    VL_LOG(LACTIONS, Logger::LOG_INFO_LEVEL, QString());
    const auto event = selectedEvent();
    if (!event)
        return;
    VL_LOG(LACTIONS, Logger::LOG_INFO_LEVEL, QStringLiteral("event %1").arg(event->title));
    m_openSelectedEvent();
}

// Dragged shut: the search ends.
void SearchController::paneWasResized() {
    if (isSearching() && m_splitter->sizes().value(m_splitter->indexOf(m_pane)) == 0)
        close();
}

bool SearchController::eventFilter(QObject* watched, QEvent* event) {
    // Escape on the timeline stops what the timeline is doing first; with nothing left there, it ends the
    // search and its dimming.
    if (event->type() == QEvent::KeyPress && watched == &m_timeline.timelineView() && isSearching()) {
        const auto* key = static_cast<QKeyEvent*>(event);
        if (key->key() == Qt::Key_Escape && key->modifiers() == Qt::NoModifier) {
            if (!m_timeline.timelineView().cancelOperation())
                close();
            return true;
        }
    }
    // The type first: while the field is being destroyed it is no longer a line edit to compare with.
    if (event->type() == QEvent::KeyPress && watched == m_field) {
        const int key = static_cast<QKeyEvent*>(event)->key();
        if (key == Qt::Key_Escape) {
            close();
            return true;
        }
        if (key == Qt::Key_Down && isSearching() && !foundEvents().isEmpty()) {
            if (!selectedEvent())
                selectRow(0);
            table()->setFocus(Qt::TabFocusReason);
            return true;
        }
    }
    return QObject::eventFilter(watched, event);
}
