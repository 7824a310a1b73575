#include "TextColors.h"

#include <QGuiApplication>
#include <QPalette>

#include <cmath>

namespace {

constexpr double READABLE = 4.5;

double luminance(const QColor& color) {
    const auto channel = [](double value) {
        return value <= 0.03928 ? value / 12.92 : std::pow((value + 0.055) / 1.055, 2.4);
    };
    return 0.2126 * channel(color.redF()) + 0.7152 * channel(color.greenF()) +
           0.0722 * channel(color.blueF());
}

// `color`, darkened on a light background or lightened on a dark one until it is readable there.
QColor readableOn(QColor color, const QColor& background) {
    const bool darkBackground = luminance(background) < 0.18;
    for (int step = 0; step < 20 && TextColors::contrast(color, background) < READABLE; ++step)
        color = darkBackground ? color.lighter(112) : color.darker(112);
    return color;
}

} // namespace

TextColors TextColors::forPalette(const QPalette& palette) {
    const QColor background = palette.color(QPalette::Base);
    const bool dark = luminance(background) < 0.18;
    return {palette.color(QPalette::Text),
            readableOn(dark ? QColor(255, 110, 100) : QColor(196, 26, 22), background),
            readableOn(dark ? QColor(120, 170, 255) : QColor(20, 80, 170), background)};
}

TextColors TextColors::current() {
    return forPalette(QGuiApplication::palette());
}

double TextColors::contrast(const QColor& a, const QColor& b) {
    const double lighter = std::max(luminance(a), luminance(b));
    const double darker = std::min(luminance(a), luminance(b));
    return (lighter + 0.05) / (darker + 0.05);
}
