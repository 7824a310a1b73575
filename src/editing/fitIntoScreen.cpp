#include "fitIntoScreen.h"

#include <QGuiApplication>
#include <QScreen>
#include <QWidget>

#include <algorithm>

void fitIntoScreen(QWidget& window) {
    const QScreen* screen = window.screen() ? window.screen() : QGuiApplication::primaryScreen();
    if (!screen)
        return;
    const QRect available = screen->availableGeometry();
    // The frame counts: the title bar and borders must fit too.
    const QSize frameExtra = window.frameGeometry().size() - window.size();
    const QSize size = window.size().boundedTo(available.size() - frameExtra);
    if (size != window.size())
        window.resize(size);
    const QSize frame = size + frameExtra;
    const int x = std::clamp(window.x(), available.left(),
                             std::max(available.left(), available.right() + 1 - frame.width()));
    const int y = std::clamp(window.y(), available.top(),
                             std::max(available.top(), available.bottom() + 1 - frame.height()));
    if (QPoint(x, y) != window.pos())
        window.move(x, y);
}
