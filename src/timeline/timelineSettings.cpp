#include "timelineSettings.h"

QFont timelineFont(double pixelSize) {
    QFont font(QStringLiteral("DejaVu Sans"));
    font.setPixelSize(int(pixelSize));
    font.setHintingPreference(QFont::PreferNoHinting);
    return font;
}
