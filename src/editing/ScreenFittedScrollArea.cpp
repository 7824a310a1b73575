#include "ScreenFittedScrollArea.h"

#include "fitIntoScreen.h"

#include <QGuiApplication>
#include <QLayout>
#include <QScreen>
#include <QScrollBar>

#include <algorithm>

namespace {

// A window not yet shown has no frame; room is kept for a title bar of about this height.
constexpr int UNKNOWN_FRAME_HEIGHT = 40;
// Less than this is no use: the area keeps it even on the smallest screen.
constexpr int MINIMUM_HEIGHT = 120;

} // namespace

ScreenFittedScrollArea::ScreenFittedScrollArea(QWidget* content, QWidget* parent) : QScrollArea(parent) {
    setWidget(content);
    setWidgetResizable(true);
    setFrameShape(QFrame::NoFrame);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    // Tab goes to the fields inside, and the area scrolls to show the one with the focus.
    setFocusPolicy(Qt::NoFocus);
}

void ScreenFittedScrollArea::fitWindowIntoScreen() {
    QWidget& top = *window();
    const QScreen* screen = top.screen() ? top.screen() : QGuiApplication::primaryScreen();
    if (widget()->layout())
        widget()->layout()->invalidate();
    const QSize content = widget()->sizeHint();
    setFixedSize(content);
    if (!screen || !top.layout())
        return;
    top.layout()->invalidate();
    const int frame = top.isVisible() ? top.frameGeometry().height() - top.height() : UNKNOWN_FRAME_HEIGHT;
    const int over = top.layout()->sizeHint().height() + frame - screen->availableGeometry().height();
    if (over > 0)
        setFixedSize(content.width() + verticalScrollBar()->sizeHint().width(),
                     std::max(MINIMUM_HEIGHT, content.height() - over));
    top.layout()->activate();
    fitIntoScreen(top);
}
