#include "StripePainter.h"

#include "TimelineCanvas.h"
#include "timelineSettings.h"

#include <QPainter>

StripePainter::StripePainter(QColor color, std::optional<QColor> lineColor, float lineTopPosition)
    : m_color(color), m_lineColor(lineColor), m_lineTopPosition(lineTopPosition) {}

void StripePainter::drawInterval(QPainter& painter, const EnumeratedInterval& interval,
                                 const TimelineCanvas& view, float y, float height, float startPosition,
                                 float endPosition) const {
    if (m_color.alpha() > 0)
        painter.fillRect(
            view.alignedToDevicePixels(QRectF(startPosition, y, endPosition - startPosition, height)),
            m_color);
    if (!m_lineColor)
        return;
    // A cut end is the edge of the view, not a boundary of the unit.
    if (!interval.clippedStart)
        drawLine(painter, view, startPosition, y, height);
    if (!interval.clippedEnd)
        drawLine(painter, view, endPosition, y, height);
}

void StripePainter::drawLine(QPainter& painter, const TimelineCanvas& view, float x, float y,
                             float height) const {
    const QRectF line(x - STRIPE_LINE_WIDTH / 2, y - m_lineTopPosition, STRIPE_LINE_WIDTH,
                      m_lineTopPosition + height);
    const QPainter::CompositionMode mode = painter.compositionMode();
    painter.setCompositionMode(QPainter::CompositionMode_Source);
    painter.fillRect(view.alignedToDevicePixels(line), *m_lineColor);
    painter.setCompositionMode(mode);
}
