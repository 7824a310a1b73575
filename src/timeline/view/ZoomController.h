#pragma once

#include <QObject>

class TimelineViewController;

// The zoom slider: equal steps are equal zoom factors, and the ends are six hours and a hundred days.
class ZoomController : public QObject {
    Q_OBJECT
public:
    ZoomController(TimelineViewController& controller, double sliderMinimum, double sliderMaximum,
                   QObject* parent = nullptr);

    double sliderValue() const;
    void setSliderValue(double value);
    double timeIntervalToSliderValue(double seconds) const;
    double sliderValueToTimeInterval(double value) const;

signals:
    void sliderValueChanged(double value);

private:
    TimelineViewController& m_controller;
    double m_minimum;
    double m_maximum;
};
