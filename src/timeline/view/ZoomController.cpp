#include "ZoomController.h"

#include "TimelineViewController.h"
#include "base/Logger.h"
#include "timeline/timelineSettings.h"

#include <cmath>

ZoomController::ZoomController(TimelineViewController& controller, double sliderMinimum, double sliderMaximum,
                               QObject* parent)
    : QObject(parent), m_controller(controller), m_minimum(sliderMinimum), m_maximum(sliderMaximum) {
    connect(&m_controller, &TimelineViewController::timeIntervalChanged, this,
            [this](double seconds) { emit sliderValueChanged(timeIntervalToSliderValue(seconds)); });
}

double ZoomController::sliderValue() const {
    return timeIntervalToSliderValue(m_controller.timeInterval());
}

void ZoomController::setSliderValue(double value) {
    VL_LOG(LACTIONS, Logger::LOG_INFO_LEVEL, QString());
    m_controller.setTimeInterval(sliderValueToTimeInterval(value));
}

double ZoomController::timeIntervalToSliderValue(double seconds) const {
    const double fraction = (std::log(seconds) - std::log(MIN_TIME_INTERVAL)) /
                            (std::log(MAX_TIME_INTERVAL) - std::log(MIN_TIME_INTERVAL));
    return m_minimum + fraction * (m_maximum - m_minimum);
}

double ZoomController::sliderValueToTimeInterval(double value) const {
    const double fraction = (value - m_minimum) / (m_maximum - m_minimum);
    return std::exp(std::log(MIN_TIME_INTERVAL) +
                    (std::log(MAX_TIME_INTERVAL) - std::log(MIN_TIME_INTERVAL)) * fraction);
}
