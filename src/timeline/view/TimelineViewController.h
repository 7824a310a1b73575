#pragma once

#include "TimelineViewDelegate.h"
#include "entry/ParseTreeNode.h"
#include "store/ApplicationModel.h"
#include "store/CalendarStore.h"

#include <QObject>
#include <QTimer>

#include <functional>
#include <memory>
#include <optional>

class CalendarController;
class DateToPositionMapping;
class ParsingController;
class TimelineView;
class UndoManager;

// Connects the timeline view to the application: feeds it the model's events, calendars and selection,
// keeps the zoom within six hours and a hundred days, switches the scale, navigates (with undo), follows
// the clock after "show now", has the calendar controller load the visible range, and turns the view's
// requests into stored changes.
class TimelineViewController : public QObject, public TimelineViewDelegate {
    Q_OBJECT
public:
    enum ViewMode { Logarithmic = 0, Linear = 1 };
    enum DisplayRange { OtherRange = 0, OneDay = 1, OneWeek = 2, OneMonth = 3 };

    // Without `parsingController` every line typed in the view's in-place field is a title.
    TimelineViewController(TimelineView& view, ApplicationModel& model,
                           CalendarController& calendarController, UndoManager& undoManager,
                           ParsingController* parsingController = nullptr, QObject* parent = nullptr);
    ~TimelineViewController() override;

    TimelineView& timelineView() const { return m_view; }
    // Shows `edited` where it would land in place of the stored `original` (none: a new event) while an
    // editor works on it; no `edited` shows the stored events again.
    void setEditedEvent(std::shared_ptr<CalEvent> edited, std::shared_ptr<CalEvent> original);
    // Where "now" comes from; the clock by default. The view keeps it.
    void setClock(std::function<CalendarDate()> clock);

    double timeInterval() const { return m_timeInterval; }
    void setTimeInterval(double seconds); // clamped
    int viewMode() const;
    void setViewMode(int mode);
    int displayRangeTag() const;
    void setDisplayRangeTag(int tag);
    CalendarDate startDate() const;
    void setStartDate(const CalendarDate& date);
    // The date at x = 50.
    CalendarDate centeredDate() const;
    void setCenteredDate(const CalendarDate& date);
    double timeIntervalMargin() const;
    // The day the user looks at: the one under the pointer while it is over the timeline, else the
    // centred date's (00:00 of it).
    CalendarDate selectedDay() const;
    bool isCenteredOnNow() const { return m_isCenteredOnNow; }

    void toggleLinearLogScale();
    void showNow() override;
    void showDateWithUndo(const CalendarDate& date);
    void setStartDateWithUndo(const CalendarDate& date);
    void ensureEventIsVisible(const CalEvent& event) override;
    void nextView() override;
    void previousView() override;
    void increaseRange();
    void decreaseRange();
    // Every minute: the marker moves, and after "show now" the view follows the clock.
    void timerFired();

    // Stores the default new event over [start, end), undoable as "New Event", selects it, makes it visible
    // and returns the model's record of it (none when the store refused).
    std::shared_ptr<CalEvent> createEventWithStart(const CalendarDate& start,
                                                   const CalendarDate& end) override;
    // Stores the new `event`, undoable as `actionName`, selects it, makes it visible and returns the
    // model's record of it (none when the store refused).
    std::shared_ptr<CalEvent> addEventAndSelect(const CalEvent& event, const QString& actionName);
    void selectedEventWasClicked(const std::shared_ptr<CalEvent>& event) override;
    void didModifyEvent(const std::shared_ptr<CalEvent>& modified,
                        const std::shared_ptr<CalEvent>& event) override;
    // Renames the event (undoable as "Rename Event"), or, for a line that holds a time, a range or a
    // calendar before its title ("4pm to 5:30pm budget", "work: fri 9am review"), applies it as the event
    // editor's command field does (undoable as "Edit Event").
    void didEnterLineForEvent(const std::shared_ptr<CalEvent>& event, const QString& line) override;
    int recognisedLengthOfLine(const QString& line) override;

signals:
    void timeIntervalChanged(double seconds);
    void viewModeChanged(int mode);
    void displayRangeTagChanged(int tag);
    void centeredDateChanged();
    // A click on the selected event, or Return: open it.
    void selectedEventOpenRequested();

private:
    // The tree of a line typed over an event when it says more than a title; none when it is a title.
    std::optional<ParseTreeNode> datesOfLine(const QString& line);
    void loadVisibleRange();
    void showEvents();
    // A reload shows the events anew; any other change arranges only the records that came.
    void eventsDidChange(const ApplicationModel::EventsChange& change);
    EventList eventsToShow() const;
    void showSelection();

    TimelineView& m_view;
    ApplicationModel& m_model;
    CalendarController& m_calendarController;
    UndoManager& m_undoManager;
    ParsingController* m_parsingController;
    std::shared_ptr<DateToPositionMapping> m_logMapping;
    std::shared_ptr<DateToPositionMapping> m_linearMapping;
    double m_timeInterval;
    bool m_isCenteredOnNow = false;
    std::shared_ptr<CalEvent> m_editedEvent;
    std::shared_ptr<CalEvent> m_editedOriginal;
    QTimer m_timer;
};
