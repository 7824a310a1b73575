#include "timelineSettings.h"

QFont timelineFont(double pixelSize) {
    QFont font(QStringLiteral("DejaVu Sans"));
    font.setPixelSize(int(pixelSize));
    font.setHintingPreference(QFont::PreferNoHinting);
    return font;
}

QPalette timelinePalette() {
    // Only these roles: selection colours and the rest still follow the desktop.
    QPalette palette;
    for (const auto role : {QPalette::Window, QPalette::Base, QPalette::AlternateBase, QPalette::Button})
        palette.setColor(role, Qt::white);
    for (const auto role : {QPalette::WindowText, QPalette::Text, QPalette::ButtonText})
        palette.setColor(role, Qt::black);
    palette.setColor(QPalette::PlaceholderText, QColor(0x80, 0x80, 0x80));
    return palette;
}
