#include "TimelineView.h"

#include "DragEndDateOperation.h"
#include "DragEventOperation.h"
#include "DragStartDateOperation.h"
#include "DragTimelineOperation.h"
#include "InlineEditEventController.h"
#include "TimelineAccessible.h"
#include "TimelineKeyboardController.h"
#include "TimelineViewDelegate.h"
#include "base/Logger.h"
#include "dates/DateFormatter.h"
#include "dates/EventDescription.h"
#include "timeline/ArrangedEvent.h"
#include "timeline/LogDateToPositionMapping.h"
#include "timeline/timelineSettings.h"

#include <QAccessible>
#include <QGuiApplication>
#include <QHelpEvent>
#include <QKeyEvent>
#include <QMoveEvent>
#include <QNativeGestureEvent>
#include <QPaintEvent>
#include <QPainter>
#include <QScrollArea>
#include <QToolTip>

#include <algorithm>
#include <cmath>

namespace {

constexpr double DRAG_TOLERANCE_HALF_WIDTH = 3.5;
// The range shrinks by this much for each notch the wheel turns away from the user with Ctrl held.
constexpr double WHEEL_ZOOM_FACTOR = 1.25;
constexpr double ANGLE_DELTA_PER_NOTCH = 120.0;
constexpr double FOCUS_FRAME_WIDTH = 2.0;

// Hot spots are half-open: a point on the right or bottom edge belongs to what lies beyond.
bool containsHalfOpen(const QRectF& rect, const QPointF& point) {
    return point.x() >= rect.left() && point.x() < rect.right() && point.y() >= rect.top() &&
           point.y() < rect.bottom();
}

bool isEditable(const CalEvent& event) {
    return event.calendar && event.calendar->isEditable;
}

} // namespace

TimelineView::TimelineView(QWidget* parent)
    : QWidget(parent), m_startDate(CalendarDate::now()), m_timeInterval(DEFAULT_TIME_INTERVAL),
      m_mapping(std::make_shared<LogDateToPositionMapping>()),
      m_dateFormatter(std::make_shared<DateFormatter>()),
      m_eventDescription(std::make_shared<EventDescription>()), m_clock(&CalendarDate::now), m_drawing(*this),
      m_inlineEditor(std::make_unique<InlineEditEventController>(*this)),
      m_keyboard(std::make_unique<TimelineKeyboardController>(*this)) {
    // Once for all timelines, before anything asks for this one's interface: their events are the items a
    // screen reader reads.
    static const bool accessible = (QAccessible::installFactory(&TimelineAccessible::create), true);
    Q_UNUSED(accessible);
    // Given a parent, the base class announced itself while it was only a widget: the plain interface
    // made for it then gives way to the timeline's.
    if (QAccessible::isActive())
        if (QAccessibleInterface* made = QAccessible::queryAccessibleInterface(this);
            made && !dynamic_cast<TimelineAccessible*>(made))
            QAccessible::deleteAccessibleInterface(QAccessible::uniqueId(made));
    m_drawing.setDateToPositionMapping(m_mapping);
    setMouseTracking(true);
    setAttribute(Qt::WA_OpaquePaintEvent);
    setFocusPolicy(Qt::StrongFocus);
    setAccessibleName(tr("Timeline"));
    setAccessibleDescription(tr("Your events along a line of time. The arrow keys and Tab choose an event, "
                                "Return opens it, Page Up and Page Down show the time before or after, and "
                                "Home shows now."));
    setCursor(Qt::OpenHandCursor);
    followApplicationPalette();
}

TimelineView::~TimelineView() = default;

void TimelineView::placeInScrollArea(QScrollArea& scrollArea) {
    scrollArea.setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    scrollArea.setWidgetResizable(false);
    scrollArea.setWidget(this);
    // The timeline takes the focus itself, so that Tab stops there once.
    scrollArea.setFocusPolicy(Qt::NoFocus);
    m_viewport = scrollArea.viewport();
    m_viewport->installEventFilter(this);
    fitToScrollArea();
}

QScrollArea* TimelineView::scrollArea() const {
    return m_viewport ? qobject_cast<QScrollArea*>(m_viewport->parentWidget()) : nullptr;
}

// Dark under a dark desktop palette, so that the timeline is no white slab in a dark window; widgets
// shown over it, such as the field that renames an event in place, take its colours too.
void TimelineView::followApplicationPalette() {
    const TimelineColors colors = TimelineColors::forPalette(QGuiApplication::palette());
    if (colors == m_drawing.colors() && testAttribute(Qt::WA_SetPalette))
        return;
    m_drawing.setColors(colors);
    setPalette(colors.palette());
    update();
}

bool TimelineView::eventFilter(QObject* watched, QEvent* event) {
    // Compared by address only: while the scroll area is destroyed, the viewport outlives its owner.
    if (watched == m_viewport && event->type() == QEvent::Resize)
        fitToScrollArea();
    return QWidget::eventFilter(watched, event);
}

void TimelineView::fitToScrollArea() {
    if (m_isResizing)
        return;
    m_isResizing = true;
    const QSize visible = m_viewport->size();
    resize(visible.width(), std::max(visible.height(), height()));
    setNeedsNewLayout();
    m_isResizing = false;
}

int TimelineView::headerTop() const {
    // The scroll area scrolls by moving the view up inside its viewport.
    return m_viewport ? std::max(0, -y()) : 0;
}

QRect TimelineView::visibleBounds() const {
    return QRect(0, headerTop(), width(), m_viewport ? m_viewport->height() : height());
}

QRect TimelineView::visibleRowsRect() const {
    const int header = int(std::ceil(TIMELINE_HEADER_HEIGHT));
    const QRect visible = visibleBounds();
    return QRect(0, visible.top() + header, visible.width(), std::max(0, visible.height() - header));
}

void TimelineView::moveEvent(QMoveEvent* event) {
    QWidget::moveEvent(event);
    const int oldTop = m_viewport ? std::max(0, -event->oldPos().y()) : 0;
    const int top = headerTop();
    if (top == oldTop)
        return;
    // The scroll area moves the pixels along with the view: where the header was, rows show again, and
    // the header belongs at the new top. The focus frame belongs at the edges of the visible part.
    if (hasFocus()) {
        update(visibleBounds());
    } else {
        const int header = int(std::ceil(TIMELINE_HEADER_HEIGHT));
        update(0, oldTop, width(), header);
        update(0, top, width(), header);
    }
    m_inlineEditor->eventLayoutDidChange();
}

void TimelineView::setFrameSize(const QSizeF& size) {
    const QSize wanted(int(std::ceil(size.width())), int(std::ceil(size.height())));
    if (wanted != this->size())
        resize(wanted);
}

void TimelineView::setStartDate(const CalendarDate& date) {
    if (date == m_startDate)
        return;
    m_startDate = date;
    markLayoutDirty();
    emit startDateChanged();
}

void TimelineView::setTimeInterval(double seconds) {
    if (seconds == m_timeInterval)
        return;
    m_timeInterval = seconds;
    markLayoutDirty();
    emit timeIntervalChanged();
}

void TimelineView::setDateToPositionMapping(std::shared_ptr<const DateToPositionMapping> mapping) {
    if (mapping == m_mapping)
        return;
    m_mapping = std::move(mapping);
    m_drawing.setDateToPositionMapping(m_mapping);
    markLayoutDirty();
    emit dateToPositionMappingChanged();
}

void TimelineView::setDateFormatter(std::shared_ptr<DateFormatter> formatter) {
    if (formatter == m_dateFormatter)
        return;
    m_dateFormatter = std::move(formatter);
    m_drawing.setDateFormatter(m_dateFormatter);
    markLayoutDirty();
}

void TimelineView::timeModeDidChange() {
    VL_LOG(LOTHER, Logger::LOG_INFO_LEVEL, QStringLiteral("time mode updated"));
    m_drawing.eventArranger().discardCachedArrangedEvents();
    markLayoutDirty();
}

void TimelineView::setEventDescription(std::shared_ptr<EventDescription> description) {
    if (description == m_eventDescription)
        return;
    m_eventDescription = std::move(description);
    m_drawing.setEventDescription(m_eventDescription);
    markLayoutDirty();
}

void TimelineView::setEvents(const EventList& events) {
    m_events = events;
    m_drawing.eventArranger().discardCachedArrangedEvents();
    markLayoutDirty();
}

void TimelineView::setEventsKeepingArrangements(const EventList& events) {
    m_events = events;
    markLayoutDirty();
}

void TimelineView::replaceEvents(const EventList& events, const EventList& removed) {
    m_drawing.eventArranger().forgetArrangedEvents(removed);
    m_events = events;
    // A record held still while it was dragged is among the old ones now.
    setNeedsNewLayout();
}

void TimelineView::setCalendars(const CalendarList& calendars) {
    m_calendars = calendars;
    m_drawing.eventArranger().discardCachedArrangedEvents();
    markLayoutDirty();
}

void TimelineView::setSelectedEvent(const std::shared_ptr<CalEvent>& event) {
    if (event == m_selectedEvent)
        return;
    m_selectedEvent = event;
    markLayoutDirty();
    emit selectedEventChanged();
    announceSelection();
}

// A screen reader says the event the keys moved to, as for the item of a list.
void TimelineView::announceSelection() {
    if (!QAccessible::isActive() || !m_selectedEvent)
        return;
    auto* timeline = dynamic_cast<TimelineAccessible*>(QAccessible::queryAccessibleInterface(this));
    QAccessibleInterface* item = timeline ? timeline->interfaceOf(m_selectedEvent) : nullptr;
    if (!item)
        return;
    QAccessibleEvent selection(item, QAccessible::Selection);
    QAccessible::updateAccessibility(&selection);
    if (hasFocus()) {
        QAccessibleEvent focus(item, QAccessible::Focus);
        QAccessible::updateAccessibility(&focus);
    }
}

void TimelineView::setFocusedEvents(const EventList& events) {
    m_focusedEvents = events;
    postUpdateEventStyles();
}

double TimelineView::timeIntervalPerPixelAtXCoordinate(double x) const {
    return m_mapping->dateForHorizontalPosition(x + 1, *this)
        .secondsSince(m_mapping->dateForHorizontalPosition(x, *this));
}

double TimelineView::timeIntervalToleranceAtPoint(const QPointF& point) const {
    return m_mapping->dateForHorizontalPosition(point.x() + DRAG_TOLERANCE_HALF_WIDTH, *this)
        .secondsSince(m_mapping->dateForHorizontalPosition(point.x() - DRAG_TOLERANCE_HALF_WIDTH, *this));
}

void TimelineView::positionDateAtViewXPosition(const CalendarDate& date, double x) {
    setStartDate(
        m_startDate.addingSeconds(date.secondsSince(m_mapping->dateForHorizontalPosition(x, *this))));
}

double TimelineView::roundTimeInterval(double seconds) {
    if (seconds < 300)
        return 300;
    if (seconds < 900)
        return 900;
    if (seconds < 3600)
        return 3600;
    return 86400;
}

void TimelineView::setNeedsNewLayoutWithFixedEvent(const std::shared_ptr<CalEvent>& event) {
    m_fixedYEvent = event;
    markLayoutDirty();
}

void TimelineView::markLayoutDirty() {
    m_isLayoutDirty = true;
    update();
}

EventHighlights TimelineView::highlights() const {
    return {m_selectedEvent, m_trackedArrangedEvent ? m_trackedArrangedEvent->event() : nullptr,
            m_focusedEvents};
}

void TimelineView::doLayoutEvents() {
    const QSizeF content = m_viewport ? QSizeF(m_viewport->size()) : QSizeF(size());
    m_drawing.layoutEvents(m_events, highlights(), content, m_fixedYEvent);
    m_inlineEditor->eventLayoutDidChange();
    // The arranged events are new: find the one under the pointer again.
    m_trackedArrangedEvent = nullptr;
    if (underMouse() && !m_dragOperation) {
        const QPointF pointer = mapFromGlobal(QCursor::pos());
        if (const auto hit = arrangedEventAt(pointer)) {
            m_trackedArrangedEvent = hit;
            postUpdateEventStyles();
        }
        updateCursor(pointer);
    }
    m_isLayoutDirty = false;
    update();
}

std::optional<CalendarDate> TimelineView::dateUnderPointer() const {
    if (!underMouse())
        return std::nullopt;
    return m_mapping->dateForHorizontalPosition(mapFromGlobal(QCursor::pos()).x(), *this);
}

std::shared_ptr<ArrangedEvent> TimelineView::arrangedEventAt(const QPointF& point) const {
    // Rows scrolled under the label rows are hidden there.
    if (point.y() < headerTop() + TIMELINE_HEADER_HEIGHT)
        return nullptr;
    const auto& arranged = m_drawing.eventArranger().arrangedEvents();
    // The last placed wins, as it is drawn on top.
    const auto hit = std::find_if(arranged.rbegin(), arranged.rend(), [&](const auto& candidate) {
        return containsHalfOpen(candidate->boundingRect(), point);
    });
    return hit == arranged.rend() ? nullptr : *hit;
}

void TimelineView::track(const std::shared_ptr<ArrangedEvent>& arrangedEvent) {
    if (arrangedEvent == m_trackedArrangedEvent)
        return;
    m_trackedArrangedEvent = arrangedEvent;
    postUpdateEventStyles();
}

// Many pointer movements between two passes of the event loop cause one restyle.
void TimelineView::postUpdateEventStyles() {
    if (m_isStyleUpdatePending)
        return;
    m_isStyleUpdatePending = true;
    QMetaObject::invokeMethod(this, &TimelineView::updateEventStyles, Qt::QueuedConnection);
}

void TimelineView::updateEventStyles() {
    m_isStyleUpdatePending = false;
    if (m_isLayoutDirty)
        return; // the coming layout styles them anyway
    m_drawing.updateEventStyles(highlights());
    update();
}

void TimelineView::updateCursor(const QPointF& point) {
    if (m_dragOperation)
        return;
    Qt::CursorShape shape = Qt::OpenHandCursor;
    if (m_trackedArrangedEvent) {
        const ArrangedEvent& tracked = *m_trackedArrangedEvent;
        const bool onEdge = containsHalfOpen(tracked.startResizeRect(), point) ||
                            containsHalfOpen(tracked.endResizeRect(), point);
        shape = onEdge && isEditable(*tracked.event()) ? Qt::SizeHorCursor : Qt::ArrowCursor;
    }
    if (m_pushedCursors.isEmpty())
        setCursor(shape);
}

void TimelineView::pushCursor(const QCursor& cursor) {
    m_pushedCursors.append(cursor);
    setCursor(cursor);
}

void TimelineView::popCursor() {
    m_pushedCursors.removeLast();
    setCursor(m_pushedCursors.isEmpty() ? QCursor(Qt::OpenHandCursor) : m_pushedCursors.last());
}

void TimelineView::mousePressEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton) {
        QWidget::mousePressEvent(event);
        return;
    }
    m_inlineEditor->cancelEditing();
    if (m_isLayoutDirty)
        doLayoutEvents();
    startDrag(event->position());
}

void TimelineView::startDrag(const QPointF& point) {
    const std::shared_ptr<ArrangedEvent> hit = arrangedEventAt(point);
    m_trackedArrangedEvent = hit;
    const std::shared_ptr<CalEvent> event = hit ? hit->event() : nullptr;
    setSelectedEvent(event);
    m_fixedYEvent = event;
    m_dragOperation.reset();
    if (!hit)
        m_dragOperation = std::make_unique<DragTimelineOperation>(point, *this);
    else if (!isEditable(*event))
        return; // selection only
    else if (containsHalfOpen(hit->startResizeRect(), point))
        m_dragOperation = std::make_unique<DragStartDateOperation>(event, point, *this);
    else if (containsHalfOpen(hit->endResizeRect(), point))
        m_dragOperation = std::make_unique<DragEndDateOperation>(event, point, *this);
    else
        m_dragOperation = std::make_unique<DragEventOperation>(event, point, *this);
}

void TimelineView::mouseMoveEvent(QMouseEvent* event) {
    const QPointF point = event->position();
    if (m_dragOperation) {
        m_dragOperation->mouseDraggedToPoint(point);
        return;
    }
    if (event->buttons() != Qt::NoButton)
        return;
    track(arrangedEventAt(point));
    updateCursor(point);
}

void TimelineView::mouseReleaseEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton) {
        QWidget::mouseReleaseEvent(event);
        return;
    }
    finishDrag();
    updateCursor(event->position());
}

void TimelineView::finishDrag() {
    // Released on every path out of here, also when the delegate fails.
    const std::unique_ptr<DragOperation> drag = std::move(m_dragOperation);
    if (!drag || !drag->isEventModified() || !m_delegate)
        return;
    // Only date drags modify an event. The view shows the stored event until the delegate has saved the
    // change and the model reports it.
    auto& dateDrag = static_cast<DragDateOperation&>(*drag);
    const std::shared_ptr<CalEvent> modified = dateDrag.event()->copy();
    dateDrag.restoreEvent();
    markLayoutDirty();
    m_delegate->didModifyEvent(modified, dateDrag.event());
}

void TimelineView::keyPressEvent(QKeyEvent* event) {
    if (!m_keyboard->keyPress(*event))
        QWidget::keyPressEvent(event);
}

void TimelineView::mouseDoubleClickEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton) {
        QWidget::mouseDoubleClickEvent(event);
        return;
    }
    m_inlineEditor->cancelEditing();
    const QPointF point = event->position();
    if (arrangedEventAt(point)) {
        if (m_delegate && m_selectedEvent)
            m_delegate->selectedEventWasClicked(m_selectedEvent);
        return;
    }
    createEventAt(point);
}

void TimelineView::createEventAt(const QPointF& point) {
    const CalendarDate date = m_mapping->dateForHorizontalPosition(point.x(), *this);
    const bool fine = timeIntervalToleranceAtPoint(point) < 3600;
    const CalendarDate start = fine ? date.truncateToHour() : date.truncateToDay();
    const CalendarDate end = start.addingSeconds(fine ? 3600 : 86400);
    if (!m_delegate)
        return;
    const std::shared_ptr<CalEvent> created = m_delegate->createEventWithStart(start, end);
    doLayoutEvents();
    if (created)
        m_inlineEditor->setEvent(created);
}

void TimelineView::wheelEvent(QWheelEvent* event) {
    if (event->modifiers() & Qt::ControlModifier) {
        const double notches = event->angleDelta().y() / ANGLE_DELTA_PER_NOTCH;
        zoomTo(m_timeInterval * std::pow(WHEEL_ZOOM_FACTOR, -notches), event->position().x());
        event->accept();
        return;
    }
    const QPoint pixels = event->pixelDelta();
    // Touchpads report pixels; wheels report eighths of a degree, a notch being 15 degrees.
    QPointF delta = pixels.isNull() ? QPointF(event->angleDelta()) / 8.0 : QPointF(pixels);
    // Shift turns the wheel sideways; some systems have turned the delta already.
    if ((event->modifiers() & Qt::ShiftModifier) && delta.x() == 0)
        delta = QPointF(delta.y(), 0);
    if (delta.x() != 0)
        setStartDate(m_startDate.addingSeconds(
            -delta.x() * timeIntervalPerPixelAtXCoordinate(CENTERED_POSITION_LEFT_MARGIN)));
    // Vertical scrolling moves the rows: the scroll area does that.
    if (delta.y() != 0)
        event->ignore();
    else
        event->accept();
}

void TimelineView::magnify(double magnification, double x) {
    zoomTo(m_timeInterval / (magnification * 1.75 + 1.0), x);
}

void TimelineView::zoomTo(double seconds, double x) {
    const CalendarDate anchor = m_mapping->dateForHorizontalPosition(x, *this);
    setTimeInterval(std::clamp(seconds, MIN_TIME_INTERVAL, MAX_TIME_INTERVAL));
    positionDateAtViewXPosition(anchor, x);
}

bool TimelineView::cancelOperation() {
    if (m_inlineEditor->isActive()) {
        m_inlineEditor->cancelEditing();
        return true;
    }
    if (!hasFocus() || !m_selectedEvent)
        return false;
    setSelectedEvent(nullptr);
    return true;
}

void TimelineView::leaveEvent(QEvent* event) {
    if (!m_dragOperation)
        track(nullptr);
    QWidget::leaveEvent(event);
}

bool TimelineView::event(QEvent* event) {
    if (event->type() == QEvent::NativeGesture) {
        const auto* gesture = static_cast<QNativeGestureEvent*>(event);
        if (gesture->gestureType() == Qt::ZoomNativeGesture) {
            magnify(gesture->value(), gesture->position().x());
            return true;
        }
    } else if (event->type() == QEvent::PaletteChange || event->type() == QEvent::ApplicationPaletteChange) {
        // A desktop palette reaches the view as a change of the roles it does not set itself.
        followApplicationPalette();
    } else if (event->type() == QEvent::ShortcutOverride) {
        // Before the window's shortcuts, as text fields take their keys.
        if (m_keyboard->takesKey(*static_cast<QKeyEvent*>(event))) {
            event->accept();
            return true;
        }
    } else if (event->type() == QEvent::KeyPress) {
        if (m_keyboard->tabPress(*static_cast<QKeyEvent*>(event)))
            return true;
    } else if (event->type() == QEvent::ToolTip) {
        const auto* help = static_cast<QHelpEvent*>(event);
        // The tips are the events', and none shows for one hidden under the label rows.
        const bool overHeader = help->pos().y() < headerTop() + TIMELINE_HEADER_HEIGHT;
        const auto tip = std::find_if(m_toolTips.crbegin(), m_toolTips.crend(),
                                      [&](const auto& entry) { return entry.first.contains(help->pos()); });
        if (overHeader || tip == m_toolTips.crend())
            QToolTip::hideText();
        else
            QToolTip::showText(help->globalPos(), tip->second, this, tip->first.toAlignedRect());
        return true;
    }
    return QWidget::event(event);
}

void TimelineView::paintEvent(QPaintEvent* event) {
    const CalendarDate now = m_clock();
    if (m_isLayoutDirty)
        doLayoutEvents();
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setRenderHint(QPainter::TextAntialiasing);
    // The painter's scale, not the widget's ratio: an image rendered at another ratio than the screen's
    // has its own device pixels to align to.
    m_paintingPixelRatio = painter.deviceTransform().m22();
    m_drawing.draw(painter, now, QRectF(event->rect()), headerTop());
    m_paintingPixelRatio.reset();
    drawFocusFrame(painter);
}

void TimelineView::drawFocusFrame(QPainter& painter) const {
    if (!hasFocus())
        return;
    painter.save();
    QPen pen(palette().color(QPalette::Highlight), FOCUS_FRAME_WIDTH);
    pen.setJoinStyle(Qt::MiterJoin);
    painter.setPen(pen);
    painter.setBrush(Qt::NoBrush);
    const double inset = FOCUS_FRAME_WIDTH / 2;
    painter.drawRect(QRectF(visibleBounds()).adjusted(inset, inset, -inset, -inset));
    painter.restore();
}
