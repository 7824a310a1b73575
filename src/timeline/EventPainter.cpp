#include "EventPainter.h"

#include "ArrangedEvent.h"
#include "DateToPositionMapping.h"
#include "TimelineCanvas.h"
#include "dates/DateFormatter.h"
#include "dates/EventDescription.h"
#include "dates/serialString.h"
#include "eventColors.h"
#include "records/CalEvent.h"
#include "rectUtilities.h"
#include "timelineSettings.h"

#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>

#include <algorithm>

namespace {

// Opacities of the text colour: the selection frame darkens a light ground and lightens a dark one.
constexpr double EVENT_SELECTION_STROKE_ALPHA = 0.25;
constexpr double EVENT_SELECTION_LIGHT_FILL_ALPHA = 0.1;
constexpr double EVENT_SELECTION_DARK_FILL_ALPHA = 0.25;
constexpr double SHADOW_ALPHA = 0.77;
constexpr double SHADOW_OFFSET = 1.0; // downwards
const QColor FALLBACK_CALENDAR_COLOR(QStringLiteral("#3A6EA5"));

CalendarDate local(const QDateTime& moment) {
    return CalendarDate::fromQDateTime(moment);
}

// Light at the top, dark at the bottom of `rect`.
QLinearGradient verticalGradient(const QRectF& rect, const QColor& top, const QColor& bottom) {
    QLinearGradient gradient(rect.topLeft(), rect.bottomLeft());
    gradient.setColorAt(0, top);
    gradient.setColorAt(1, bottom);
    return gradient;
}

// A soft shadow of blur radius 2 below the bar: a faint halo one pixel around it and the core shifted one
// pixel down, both as strong as the bar is opaque.
void drawShadow(QPainter& painter, const QRectF& bar, double opacity) {
    const QRectF core = bar.translated(0, SHADOW_OFFSET);
    QColor shadow(Qt::black);
    shadow.setAlphaF(float(SHADOW_ALPHA * opacity * 0.25));
    painter.fillRect(expandRect(core, 1, 1), shadow);
    shadow.setAlphaF(float(SHADOW_ALPHA * opacity * 0.6));
    painter.fillRect(core, shadow);
}

void drawSelectionFrame(QPainter& painter, const QRectF& bounds, const TimelineCanvas& view,
                        const TimelineColors& colors) {
    const QRectF frame =
        view.alignedToDevicePixels(expandRect(bounds, EVENT_SELECTION_RADIUS, EVENT_SELECTION_RADIUS));
    QPainterPath fill;
    fill.addRoundedRect(frame, EVENT_SELECTION_RADIUS, EVENT_SELECTION_RADIUS);
    painter.fillPath(fill, verticalGradient(frame, colors.textWithAlpha(EVENT_SELECTION_LIGHT_FILL_ALPHA),
                                            colors.textWithAlpha(EVENT_SELECTION_DARK_FILL_ALPHA)));
    QPainterPath stroke;
    stroke.addRoundedRect(expandRect(frame, 0.5, 0.5), EVENT_SELECTION_RADIUS, EVENT_SELECTION_RADIUS);
    painter.strokePath(stroke,
                       QPen(colors.textWithAlpha(EVENT_SELECTION_STROKE_ALPHA), EVENT_SELECTION_LINE_WIDTH));
}

} // namespace

EventPainter::EventPainter()
    : m_font(timelineFont(EVENT_FONT_SIZE)), m_titleFont(timelineFont(EVENT_TITLE_FONT_SIZE)),
      m_selectedTitleFont(timelineFont(SELECTED_EVENT_TITLE_FONT_SIZE)),
      m_dateFormatter(std::make_shared<DateFormatter>()),
      m_eventDescription(std::make_shared<EventDescription>()) {}

QString EventPainter::labelForEvent(const CalEvent& event) const {
    return QStringLiteral("%1\n%2").arg(
        event.title, m_dateFormatter->timeDescription(local(event.startDate), local(event.endDate)));
}

QString EventPainter::labelForSelectedEvent(const CalEvent& event) const {
    QString label =
        QStringLiteral("%1\n%2\n%3")
            .arg(event.title, m_dateFormatter->dateDescription(local(event.startDate), local(event.endDate)),
                 event.calendar ? event.calendar->title : QString());
    if (!event.location.isEmpty())
        label += u'\n' + event.location;
    if (!event.attendees.isEmpty())
        label += u'\n' + serialString(CalAttendee::displayNames(event.attendees));
    if (event.recurrenceRule)
        label +=
            QStringLiteral("\nRepeats ") + m_eventDescription->descriptionOfRecurrence(*event.recurrenceRule);
    for (const auto& alarm : event.alarms)
        label += u'\n' + m_eventDescription->descriptionOfAlarm(*alarm);
    if (!event.notes.isEmpty())
        label += u'\n' + event.notes;
    return label;
}

std::shared_ptr<const TextLabel> EventPainter::textLabelWithEvent(const CalEvent& event,
                                                                  bool isSelected) const {
    const QString text = isSelected ? labelForSelectedEvent(event) : labelForEvent(event);
    // The first line with its line break, or the whole text when it has one line.
    const qsizetype lineBreak = text.indexOf(u'\n');
    QTextLayout::FormatRange title;
    title.start = 0;
    title.length = int(lineBreak < 0 ? text.size() : lineBreak + 1);
    title.format.setFont(isSelected ? m_selectedTitleFont : m_titleFont);
    return std::make_shared<const TextLabel>(text, m_font, QList{title},
                                             QSizeF(TEXT_LABEL_MAX_WIDTH, TEXT_LABEL_MAX_HEIGHT));
}

QString EventPainter::tooltipForEvent(const CalEvent& event) const {
    return event.notes;
}

void EventPainter::updateArrangedEvent(ArrangedEvent& arrangedEvent, double startPosition) const {
    const CalEvent& event = *arrangedEvent.event();
    const TimelineCanvas& view = arrangedEvent.timelineView();
    double end = view.dateToPositionMapping().horizontalPositionForDate(local(event.endDate), view);
    if (end - startPosition < MIN_EVENT_WIDTH)
        end = startPosition + MIN_EVENT_WIDTH;
    arrangedEvent.setEndPosition(end);
    const QSizeF label = arrangedEvent.labelSize();
    arrangedEvent.setBoundingRect(QRectF(startPosition, TIMELINE_Y_POS + EVENT_MARGIN_TO_TIMELINE,
                                         std::max(end - startPosition, label.width()),
                                         TIMEBAR_HEIGHT + 2.0 + label.height()));
}

QRectF EventPainter::labelRectWithArrangedEvent(const ArrangedEvent& arrangedEvent,
                                                const TimelineCanvas& view) const {
    // The label's padding puts its first glyph one pixel left of the bar's start.
    return view.alignedToDevicePixels(arrangedEvent.boundingRect().translated(-6.0, TIMEBAR_HEIGHT + 2.0));
}

void EventPainter::drawArrangedEvent(QPainter& painter, const ArrangedEvent& arrangedEvent,
                                     const TimelineCanvas& view) const {
    if (arrangedEvent.isSelected())
        drawSelectionFrame(painter, arrangedEvent.boundingRect(), view, m_colors);

    QRectF bar = view.alignedToDevicePixels(arrangedEvent.timeBarRect());
    bar.setHeight(TIMEBAR_HEIGHT);
    const auto& calendar = arrangedEvent.event()->calendar;
    QColor base(calendar ? calendar->color : QString());
    if (!base.isValid())
        base = FALLBACK_CALENDAR_COLOR;
    QColor fill = createFillColor(base), dark = createDarkFillColor(base);
    const bool dimmed = arrangedEvent.isDimmed();
    if (dimmed) {
        fill.setAlphaF(float(DIMMED_ALPHA));
        dark.setAlphaF(float(DIMMED_ALPHA));
    }
    drawShadow(painter, bar, fill.alphaF());
    painter.fillRect(bar, fill);
    painter.fillRect(bar, verticalGradient(bar, fill, dark));

    const QPointF origin = labelRectWithArrangedEvent(arrangedEvent, view).topLeft();
    arrangedEvent.textLabel().drawAtPoint(painter, origin,
                                          dimmed ? m_colors.textWithAlpha(DIMMED_ALPHA) : m_colors.text);
}
