#include "eventColors.h"

#include "timelineSettings.h"

#include <algorithm>

namespace {

QColor fillColor(const QColor& color, double darkening) {
    const QColor hsv = color.toHsv();
    const double saturation = std::min(double(hsv.hsvSaturationF()), FILL_COLOR_MAX_SATURATION);
    const double brightness =
        std::max(std::max(double(hsv.valueF()), FILL_COLOR_MIN_BRIGHTNESS) - darkening, 0.0);
    return QColor::fromHsvF(hsv.hsvHueF(), saturation, brightness, hsv.alphaF());
}

} // namespace

QColor createFillColor(const QColor& color) {
    return fillColor(color, 0.0);
}

QColor createDarkFillColor(const QColor& color) {
    return fillColor(color, 0.3);
}
