#include "TimelineDrawing.h"

#include "ArrangedEvent.h"
#include "DateToPositionMapping.h"
#include "TimelineCanvas.h"
#include "timelineSettings.h"
#include "timelineUtilities.h"

#include <QPainter>
#include <QRegion>

TimelineDrawing::TimelineDrawing(TimelineCanvas& view)
    : m_view(view), m_renderer(view), m_arranger(m_painter) {
    m_painter.setDateFormatter(view.dateFormatter());
    m_painter.setEventDescription(view.eventDescription());
}

void TimelineDrawing::setDateToPositionMapping(std::shared_ptr<const DateToPositionMapping> mapping) {
    m_renderer.setDateToPositionMapping(std::move(mapping));
}

void TimelineDrawing::setDateFormatter(std::shared_ptr<DateFormatter> formatter) {
    m_painter.setDateFormatter(std::move(formatter));
    m_arranger.discardCachedArrangedEvents();
}

void TimelineDrawing::setEventDescription(std::shared_ptr<EventDescription> description) {
    m_painter.setEventDescription(std::move(description));
    m_arranger.discardCachedArrangedEvents();
}

void TimelineDrawing::setColors(const TimelineColors& colors) {
    m_colors = colors;
    m_renderer.setColors(colors);
    m_painter.setColors(colors);
}

void TimelineDrawing::layoutEvents(const EventList& events, const EventHighlights& highlights,
                                   const QSizeF& contentViewSize,
                                   const std::shared_ptr<CalEvent>& fixedYEvent) {
    const EventList visible = eventsInInterval(events, m_view.startDate(), m_view.endDate());
    const EventStyles styles = updateEventStylesWithVisibleEvents(visible, highlights);
    m_arranger.arrangeEvents(visible, styles, m_view, contentViewSize, fixedYEvent);
    // Registered here rather than while drawing, so that events outside the exposed area keep theirs and
    // repeated redraws do not stack them up.
    m_view.removeAllToolTips();
    for (const auto& arranged : m_arranger.arrangedEvents()) {
        const QString tip = m_painter.tooltipForEvent(*arranged->event());
        if (!tip.isEmpty())
            m_view.addToolTip(arranged->boundingRect(), tip);
    }
}

void TimelineDrawing::updateEventStyles(const EventHighlights& highlights) {
    m_arranger.setEventStyles(updateEventStylesWithVisibleEvents(m_arranger.visibleEvents(), highlights));
}

void TimelineDrawing::draw(QPainter& painter, const CalendarDate& now, const QRectF& exposed,
                           double headerTop) {
    drawBackdrop(painter, now);
    painter.save();
    painter.setClipRect(QRectF(TIMELINE_HOR_MARGIN, 0, m_view.lineLength(), m_view.boundsSize().height()),
                        Qt::IntersectClip);
    m_arranger.drawEventsInView(painter, m_view, exposed);
    painter.restore();
    if (headerTop > 0 && exposed.top() < headerTop + TIMELINE_HEADER_HEIGHT)
        drawHeader(painter, now, headerTop);
}

void TimelineDrawing::drawBackdrop(QPainter& painter, const CalendarDate& now) {
    painter.fillRect(QRectF(QPointF(0, 0), m_view.boundsSize()), m_colors.ground);
    m_renderer.labelFrom(painter, m_view.startDate(), m_view.endDate(), now);
    // Before the events: their bars cover it, and it is left out behind their labels.
    if (m_view.startDate() <= now && now <= m_view.endDate())
        drawCurrentTimeMarker(painter, now);
    drawTimeLine(painter);
}

// The same pixels as the top of an unscrolled frame, which no event reaches into.
void TimelineDrawing::drawHeader(QPainter& painter, const CalendarDate& now, double headerTop) {
    painter.save();
    painter.translate(0, headerTop);
    painter.setClipRect(QRectF(0, 0, m_view.boundsSize().width(), TIMELINE_HEADER_HEIGHT), Qt::IntersectClip);
    drawBackdrop(painter, now);
    painter.restore();
}

void TimelineDrawing::drawCurrentTimeMarker(QPainter& painter, const CalendarDate& now) const {
    const double x = float(m_view.dateToPositionMapping().horizontalPositionForDate(now, m_view));
    const QRectF marker = m_view.alignedToDevicePixels(
        QRectF(x - CURRENT_TIME_LINE_WIDTH / 2, CURRENT_TIME_Y_POS, CURRENT_TIME_LINE_WIDTH,
               m_view.boundsSize().height() - CURRENT_TIME_Y_POS));
    QPen pen(m_colors.currentTime, 1.0);
    pen.setCapStyle(Qt::FlatCap);
    pen.setDashPattern({2, 2});
    pen.setDashOffset(3);
    // The marker passes under the events' labels: left out where their text is, not run through it.
    QRegion shown(marker.toAlignedRect());
    for (const auto& arranged : m_arranger.arrangedEvents()) {
        const QRectF label(m_painter.labelRectWithArrangedEvent(*arranged, m_view).topLeft(),
                           arranged->labelSize());
        if (label.left() < marker.right() && marker.left() < label.right())
            shown -= label.toAlignedRect();
    }
    painter.save();
    painter.setClipRegion(shown, Qt::IntersectClip);
    // Unsmoothed, so that the 1-pixel dashes stay one sharp red column.
    painter.setRenderHint(QPainter::Antialiasing, false);
    painter.setPen(pen);
    painter.drawLine(QPointF(marker.center().x(), marker.top()),
                     QPointF(marker.center().x(), marker.bottom()));
    painter.restore();
}

void TimelineDrawing::drawTimeLine(QPainter& painter) const {
    painter.save();
    painter.setCompositionMode(QPainter::CompositionMode_Source);
    painter.fillRect(m_view.alignedToDevicePixels(QRectF(TIMELINE_HOR_MARGIN, TIMELINE_Y_POS,
                                                         m_view.lineLength(), TIMELINE_LINE_WIDTH)),
                     m_colors.text);
    painter.restore();
}
