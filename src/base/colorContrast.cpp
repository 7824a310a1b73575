#include "colorContrast.h"

#include <algorithm>
#include <cmath>

namespace {

double luminance(const QColor& color) {
    const auto channel = [](double value) {
        return value <= 0.03928 ? value / 12.92 : std::pow((value + 0.055) / 1.055, 2.4);
    };
    return 0.2126 * channel(color.redF()) + 0.7152 * channel(color.greenF()) +
           0.0722 * channel(color.blueF());
}

} // namespace

double contrastRatio(const QColor& a, const QColor& b) {
    const double lighter = std::max(luminance(a), luminance(b));
    const double darker = std::min(luminance(a), luminance(b));
    return (lighter + 0.05) / (darker + 0.05);
}

bool isDarkBackground(const QColor& background) {
    return luminance(background) < 0.18;
}

QColor readableOn(QColor color, const QColor& background) {
    const bool dark = isDarkBackground(background);
    for (int step = 0; step < 20 && contrastRatio(color, background) < READABLE_CONTRAST; ++step)
        color = dark ? color.lighter(112) : color.darker(112);
    return color;
}
