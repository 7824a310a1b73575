#pragma once

#include <QRectF>

// (x − dx, y − dy, w + 2·dx, h + 2·dy).
QRectF expandRect(const QRectF& rect, double dx, double dy);
// Strict overlap: rectangles that only touch along an edge do not overlap.
bool areRectsOverlapping(const QRectF& a, const QRectF& b);
