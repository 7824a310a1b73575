#pragma once

#include "EventSearchIndex.h"
#include "SearchResultsPane.h"

#include <QLineEdit>
#include <QObject>
#include <QPointer>

#include <functional>
#include <memory>

class ApplicationModel;
class CalendarController;
class QSplitter;
class QTableView;
class SearchResultsModel;
class TimelineViewController;
class UserDefaults;

inline const QString SearchCalendarsKey = QStringLiteral("searchCalendarsKey");
inline const QString SearchRangeKey = QStringLiteral("searchRangeKey");

// Search over the loaded events: the field, and the pane of matches that opens below the timeline while
// the field has text. Matches follow every keystroke and every change of the events; the one chosen
// (at first the nearest upcoming) is selected in the model, the timeline centres on it, and the events
// that do not match are dimmed until the search ends. The window places the field and, through
// `placeInSplitter`, the pane; both are the window's once placed.
class SearchController : public QObject {
    Q_OBJECT
public:
    // 1: only the calendars switched on; any other value: all calendars.
    enum CalendarsMode { AllCalendars = 0, ShownCalendars = 1 };

    // `openSelectedEvent` opens the model's selected event in the editor.
    SearchController(ApplicationModel& model, CalendarController& calendarController,
                     TimelineViewController& timelineViewController, UserDefaults& defaults,
                     std::function<void()> openSelectedEvent, QObject* parent = nullptr);
    ~SearchController() override;

    QLineEdit* searchField() const { return m_field; }
    SearchResultsPane* resultsPane() const { return m_pane; }
    QTableView* table() const;
    // Adds the pane below what the splitter holds (the timeline), hidden until there is text.
    void placeInSplitter(QSplitter& splitter);
    // The Find command: the field gets the keyboard focus with its text selected.
    void focusSearchField();

    int searchCalendarsMode() const { return m_calendarsMode; }
    void setSearchCalendarsMode(int mode);
    SearchRange searchRangeMode() const { return m_rangeMode; }
    void setSearchRangeMode(SearchRange mode);
    // The matches in table order.
    const EventList& foundEvents() const;
    // The match of the one selected row, or none.
    std::shared_ptr<CalEvent> selectedEvent() const;

    void close();
    void openEvent();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void search();
    void openPane();
    void hidePane();
    void ensureNearbyEventsLoaded();
    void showFoundEvents(const EventList& found);
    void refreshKeepingSelection();
    // Of a change that is no reload, only the records that came are searched.
    void eventsDidChange(const ApplicationModel::EventsChange& change);
    void showKeepingSelection(const EventList& found);
    void selectEvent();
    void selectRow(int row);
    void selectionDidChange();
    void paneWasResized();
    int storedCalendarsMode() const;
    SearchRange storedRangeMode() const;
    SearchCriteria criteria() const;
    bool isSearching() const;

    ApplicationModel& m_model;
    CalendarController& m_calendarController;
    TimelineViewController& m_timeline;
    UserDefaults& m_defaults;
    std::function<void()> m_openSelectedEvent;
    EventSearchIndex m_index;
    QPointer<QLineEdit> m_field;
    QPointer<SearchResultsPane> m_pane;
    SearchResultsModel* m_results;
    QPointer<QSplitter> m_splitter;
    int m_calendarsMode = AllCalendars;
    SearchRange m_rangeMode = SearchRange::PastAndFuture;
    bool m_isRestoringSelection = false;
};
