#pragma once

#include "EnumeratedInterval.h"

#include <QColor>

#include <optional>

class QPainter;
class TimelineCanvas;

// Shades one interval below the line and, for units with boundary lines, marks its uncut ends with a
// line that starts `lineTopPosition` above the shading.
class StripePainter {
public:
    explicit StripePainter(QColor color, std::optional<QColor> lineColor = std::nullopt,
                           float lineTopPosition = 0);

    const QColor& color() const { return m_color; }
    // For a painter with boundary lines; one without stays without.
    void setLineColor(const QColor& color) {
        if (m_lineColor)
            m_lineColor = color;
    }

    void drawInterval(QPainter& painter, const EnumeratedInterval& interval, const TimelineCanvas& view,
                      float y, float height, float startPosition, float endPosition) const;

private:
    void drawLine(QPainter& painter, const TimelineCanvas& view, float x, float y, float height) const;

    QColor m_color;
    std::optional<QColor> m_lineColor;
    float m_lineTopPosition;
};
