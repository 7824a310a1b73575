#include "TextColors.h"

#include "colorContrast.h"

#include <QGuiApplication>
#include <QPalette>

TextColors TextColors::forPalette(const QPalette& palette) {
    const QColor background = palette.color(QPalette::Base);
    const bool dark = isDarkBackground(background);
    return {palette.color(QPalette::Text),
            readableOn(dark ? QColor(255, 110, 100) : QColor(196, 26, 22), background),
            readableOn(dark ? QColor(120, 170, 255) : QColor(20, 80, 170), background)};
}

TextColors TextColors::current() {
    return forPalette(QGuiApplication::palette());
}
