#pragma once

#include "timeline/EventStyle.h"
#include "timeline/TimelineCanvas.h"
#include "timeline/TimelineDrawing.h"

#include <QList>
#include <QPair>
#include <QWidget>

#include <functional>
#include <memory>
#include <optional>

class ArrangedEvent;
class DragOperation;
class InlineEditEventController;
class QScrollArea;
class TimelineKeyboardController;
class TimelineViewDelegate;

// The timeline as the window shows it: the range from `startDate` over `timeInterval` seconds along the
// line, labels, stripes, the current-time marker and the events in rows below, inside a vertical scroll
// area, where the label rows and the line stay in sight over the scrolled rows. Mouse input selects, drags
// and resizes events, scrolls and zooms; a double click in empty space creates an event. The keyboard moves
// the selection and the range (TimelineKeyboardController); Ctrl with the wheel and pinches zoom around the
// pointer, Shift with the wheel scrolls sideways. Changes only mark the layout dirty; the next paint lays
// out first.
class TimelineView : public QWidget, public TimelineCanvas {
    Q_OBJECT
public:
    explicit TimelineView(QWidget* parent = nullptr);
    ~TimelineView() override;

    // Puts the view into `scrollArea`, whose viewport gives it its width and its least height.
    void placeInScrollArea(QScrollArea& scrollArea);
    QScrollArea* scrollArea() const;

    CalendarDate startDate() const override { return m_startDate; }
    void setStartDate(const CalendarDate& date);
    double timeInterval() const override { return m_timeInterval; }
    void setTimeInterval(double seconds);
    QSizeF boundsSize() const override { return QSizeF(size()); }
    const DateToPositionMapping& dateToPositionMapping() const override { return *m_mapping; }
    const std::shared_ptr<const DateToPositionMapping>& mapping() const { return m_mapping; }
    void setDateToPositionMapping(std::shared_ptr<const DateToPositionMapping> mapping);
    std::shared_ptr<DateFormatter> dateFormatter() const override { return m_dateFormatter; }
    // A change of the formatter's clock mode takes effect with `timeModeDidChange`.
    void setDateFormatter(std::shared_ptr<DateFormatter> formatter);
    void timeModeDidChange();
    std::shared_ptr<EventDescription> eventDescription() const override { return m_eventDescription; }
    void setEventDescription(std::shared_ptr<EventDescription> description);
    // While painting, that of the surface painted on, which may be an image at another ratio than the
    // screen's.
    double devicePixelRatio() const override { return m_paintingPixelRatio.value_or(devicePixelRatioF()); }
    void setFrameSize(const QSizeF& size) override;
    void removeAllToolTips() override { m_toolTips.clear(); }
    void addToolTip(const QRectF& area, const QString& text) override { m_toolTips.append({area, text}); }

    const EventList& events() const { return m_events; }
    void setEvents(const EventList& events);
    // The same, keeping the arrangement of every record that was shown before: for a list in which only
    // new records differ, such as the one edited event while the user types.
    void setEventsKeepingArrangements(const EventList& events);
    // The same, after a change that took the `removed` records away: their arrangements go too.
    void replaceEvents(const EventList& events, const EventList& removed);
    const CalendarList& calendars() const { return m_calendars; }
    void setCalendars(const CalendarList& calendars);
    std::shared_ptr<CalEvent> selectedEvent() const { return m_selectedEvent; }
    void setSelectedEvent(const std::shared_ptr<CalEvent>& event);
    // When not empty, every other event is dimmed; restyles without arranging again.
    void setFocusedEvents(const EventList& events);
    void setDelegate(TimelineViewDelegate* delegate) { m_delegate = delegate; }
    TimelineViewDelegate* delegate() const { return m_delegate; }
    InlineEditEventController& inlineEditEventController() { return *m_inlineEditor; }
    // Where "now" comes from; the clock by default.
    void setClock(std::function<CalendarDate()> clock) { m_clock = std::move(clock); }
    CalendarDate now() const { return m_clock(); }

    // The top of the visible part of the view, where the label rows are drawn while it is scrolled down.
    int headerTop() const;
    // The visible part below the label rows.
    QRect visibleRowsRect() const;

    // The date at the pointer while it is over the view.
    std::optional<CalendarDate> dateUnderPointer() const;
    // Seconds between the dates at x and x + 1.
    double timeIntervalPerPixelAtXCoordinate(double x) const;
    // Seconds covered by the 7 pixels around the point.
    double timeIntervalToleranceAtPoint(const QPointF& point) const;
    // Moves the range so that `date` lies at x.
    void positionDateAtViewXPosition(const CalendarDate& date, double x);
    // The step a drag snaps to at a given tolerance: 5 minutes, 15 minutes, an hour or a day.
    static double roundTimeInterval(double seconds);

    void setNeedsNewLayoutWithFixedEvent(const std::shared_ptr<CalEvent>& event);
    void setNeedsNewLayout() { setNeedsNewLayoutWithFixedEvent(nullptr); }
    bool isLayoutDirty() const { return m_isLayoutDirty; }
    void doLayoutEvents();
    const EventArranger& eventArranger() const { return m_drawing.eventArranger(); }
    const EventPainter& eventPainter() const { return m_drawing.eventPainter(); }
    // The arranged event under the pointer.
    std::shared_ptr<ArrangedEvent> trackedArrangedEvent() const { return m_trackedArrangedEvent; }
    bool isStyleUpdatePending() const { return m_isStyleUpdatePending; }

    // A pinch at x: the range shrinks by magnification × 1.75 + 1, within six hours and a hundred days,
    // and the date at x stays there.
    void magnify(double magnification, double x);
    // The Escape key: ends inline editing without saving, or else clears the selection of the focused
    // timeline. Whether there was something to cancel.
    bool cancelOperation();

    // Cursors pushed by drags that move things, on top of the pointer's own.
    void pushCursor(const QCursor& cursor);
    void popCursor();

signals:
    void startDateChanged();
    void timeIntervalChanged();
    void selectedEventChanged();
    void dateToPositionMappingChanged();

protected:
    bool event(QEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
    void moveEvent(QMoveEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;
    void leaveEvent(QEvent* event) override;

private:
    void markLayoutDirty();
    std::shared_ptr<ArrangedEvent> arrangedEventAt(const QPointF& point) const;
    void track(const std::shared_ptr<ArrangedEvent>& arrangedEvent);
    void postUpdateEventStyles();
    void updateEventStyles();
    void updateCursor(const QPointF& point);
    void startDrag(const QPointF& point);
    void createEventAt(const QPointF& point);
    void finishDrag();
    void fitToScrollArea();
    void followApplicationPalette();
    void announceSelection();
    EventHighlights highlights() const;
    // Within six hours and a hundred days; the date at x stays there.
    void zoomTo(double seconds, double x);
    // The part of the view its scroll area shows.
    QRect visibleBounds() const;
    void drawFocusFrame(QPainter& painter) const;

    CalendarDate m_startDate;
    double m_timeInterval;
    std::shared_ptr<const DateToPositionMapping> m_mapping;
    std::shared_ptr<DateFormatter> m_dateFormatter;
    std::shared_ptr<EventDescription> m_eventDescription;
    EventList m_events;
    CalendarList m_calendars;
    std::shared_ptr<CalEvent> m_selectedEvent;
    EventList m_focusedEvents;
    TimelineViewDelegate* m_delegate = nullptr;
    std::function<CalendarDate()> m_clock;
    TimelineDrawing m_drawing;
    std::unique_ptr<InlineEditEventController> m_inlineEditor;
    std::unique_ptr<TimelineKeyboardController> m_keyboard;
    QWidget* m_viewport = nullptr;
    std::shared_ptr<ArrangedEvent> m_trackedArrangedEvent;
    std::unique_ptr<DragOperation> m_dragOperation;
    std::shared_ptr<CalEvent> m_fixedYEvent;
    QList<QPair<QRectF, QString>> m_toolTips;
    QList<QCursor> m_pushedCursors;
    bool m_isLayoutDirty = true;
    bool m_isResizing = false;
    bool m_isStyleUpdatePending = false;
    std::optional<double> m_paintingPixelRatio;
};
