#include "ColoredCheckBox.h"

#include <QPainter>
#include <QPainterPath>

namespace {

constexpr int INSET = 4;

} // namespace

QRect ColoredCheckBox::rectInCell(const QRect& cell) {
    return QRect(cell.left() + INSET, cell.top() + (cell.height() - HEIGHT) / 2, WIDTH, HEIGHT);
}

void ColoredCheckBox::paint(QPainter& painter, const QRect& rect, const QColor& color, bool checked) {
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing);
    // A square box in the middle of the 14 x 16 cell, leaving room for its shadow below.
    const QRectF box(rect.left() + 0.5, rect.top() + 1.5, WIDTH - 1.0, WIDTH - 1.0);
    painter.setPen(Qt::NoPen);
    painter.setBrush(QColor(0, 0, 0, 40));
    painter.drawRoundedRect(box.translated(0, 1), 3, 3);
    painter.setPen(QPen(color.darker(130), 1));
    painter.setBrush(checked ? color : QColor(color).lighter(185));
    painter.drawRoundedRect(box, 3, 3);
    if (checked) {
        // White on light colours would vanish: a dark tick there.
        const bool light = color.lightnessF() > 0.75;
        QPen tick(light ? QColor(40, 40, 40) : Qt::white, 2);
        tick.setCapStyle(Qt::RoundCap);
        tick.setJoinStyle(Qt::RoundJoin);
        painter.setPen(tick);
        painter.setBrush(Qt::NoBrush);
        QPainterPath path;
        path.moveTo(box.left() + 3, box.center().y());
        path.lineTo(box.left() + 5.5, box.bottom() - 3.5);
        path.lineTo(box.right() - 3, box.top() + 3.5);
        painter.drawPath(path);
    }
    painter.restore();
}
