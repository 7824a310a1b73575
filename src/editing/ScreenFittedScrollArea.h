#pragma once

#include <QScrollArea>

// Holds the part of a fixed-size window that may scroll: shown whole while the window fits its screen,
// and no taller than leaves the window inside the screen's available area when it would not (an editor
// with a recurrence and several alarms at 200 % on a laptop screen); the window is then moved into that
// area, so that its buttons stay in reach.
class ScreenFittedScrollArea : public QScrollArea {
    Q_OBJECT
public:
    explicit ScreenFittedScrollArea(QWidget* content, QWidget* parent = nullptr);

    // Call when the content or the screen changes.
    void fitWindowIntoScreen();
};
