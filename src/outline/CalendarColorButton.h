#pragma once

#include <QColor>
#include <QPushButton>

// A button that shows a colour as a swatch and lets the user choose another in the colour dialog, which
// opens modal to the button's window.
class CalendarColorButton : public QPushButton {
    Q_OBJECT
public:
    explicit CalendarColorButton(QWidget* parent = nullptr);

    QColor color() const { return m_color; }
    void setColor(const QColor& color);

private:
    void chooseColor();

    QColor m_color;
};
