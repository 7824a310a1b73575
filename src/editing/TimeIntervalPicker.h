#pragma once

#include <QWidget>

class GridView;
class QComboBox;
class QLabel;
class QSpinBox;

// An interval relative to an event's start as a count of seconds, minutes, hours or days, "before" or
// "after". The user can only enter intervals at or before the start; later ones are shown as they are.
class TimeIntervalPicker : public QWidget {
    Q_OBJECT
public:
    enum Unit { Seconds, Minutes, Hours, Days }; // in the order of the unit entries

    explicit TimeIntervalPicker(QWidget* parent = nullptr);

    // Seconds; negative is before the start.
    double timeInterval() const { return m_timeInterval; }
    // Shows the interval in the largest unit that holds it whole; sends no signal.
    void setTimeInterval(double seconds);
    Unit unit() const;
    int timeIntervalValue() const;

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override { return sizeHint(); }

signals:
    // After the user changed the value or the unit.
    void timeIntervalChanged(double seconds);

private:
    void userChanged();
    void showDirection();

    double m_timeInterval = 0;
    GridView* m_gridView;
    QComboBox* m_unitButton;
    QSpinBox* m_valueField;
    QLabel* m_label;
};
