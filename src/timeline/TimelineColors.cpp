#include "TimelineColors.h"

#include "base/colorContrast.h"

TimelineColors TimelineColors::light() {
    return {Qt::white, Qt::black, Qt::red, Qt::red};
}

TimelineColors TimelineColors::forPalette(const QPalette& palette) {
    const QColor ground = palette.color(QPalette::Base);
    if (!isDarkBackground(ground))
        return light();
    const QColor red = readableOn(QColor(255, 110, 100), ground);
    return {ground, readableOn(palette.color(QPalette::Text), ground), red, red};
}

QPalette TimelineColors::palette() const {
    QPalette result;
    for (const auto role : {QPalette::Window, QPalette::Base, QPalette::AlternateBase, QPalette::Button})
        result.setColor(role, ground);
    for (const auto role : {QPalette::WindowText, QPalette::Text, QPalette::ButtonText})
        result.setColor(role, text);
    QColor placeholder = text;
    placeholder.setAlphaF(0.5f);
    result.setColor(QPalette::PlaceholderText, placeholder);
    return result;
}

QColor TimelineColors::textWithAlpha(double alpha) const {
    QColor color = text;
    color.setAlphaF(float(alpha));
    return color;
}
