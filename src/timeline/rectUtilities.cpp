#include "rectUtilities.h"

QRectF expandRect(const QRectF& rect, double dx, double dy) {
    return QRectF(rect.x() - dx, rect.y() - dy, rect.width() + 2 * dx, rect.height() + 2 * dy);
}

bool areRectsOverlapping(const QRectF& a, const QRectF& b) {
    return a.left() < b.right() && b.left() < a.right() && a.top() < b.bottom() && b.top() < a.bottom();
}
