#include "TimelineCanvas.h"

#include "timelineSettings.h"

#include <cmath>

double TimelineCanvas::lineLength() const {
    return boundsSize().width() - 2 * TIMELINE_HOR_MARGIN;
}

QRectF TimelineCanvas::alignedToDevicePixels(const QRectF& rect) const {
    const double ratio = devicePixelRatio();
    const auto align = [ratio](double v) { return std::round(v * ratio) / ratio; };
    const double left = align(rect.left()), top = align(rect.top());
    return QRectF(left, top, align(rect.right()) - left, align(rect.bottom()) - top);
}
