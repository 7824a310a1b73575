#pragma once

#include <QColor>
#include <QRect>

class QPainter;

// The tick box of a calendar, in the calendar's colour: a rounded square filled with the colour and a
// white tick when on, a pale square with a border in the colour when off.
class ColoredCheckBox {
public:
    static constexpr int WIDTH = 14;
    static constexpr int HEIGHT = 16;

    // The box's place in a cell: at its left edge with a small inset, centred in its height.
    static QRect rectInCell(const QRect& cell);
    static void paint(QPainter& painter, const QRect& rect, const QColor& color, bool checked);
};
