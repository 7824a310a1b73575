#include "timelineUtilities.h"

#include "base/InternalInconsistency.h"

#include <cmath>

double computeT1(double length, double compression) {
    VL_ASSERT(compression < 1.0 && compression > 0.0, "compression < 1.0 && compression > 0.0");
    VL_ASSERT(length > 0, "length > 0");
    const double t1 = length * compression / (1 - compression);
    VL_ASSERT(t1 > 0.0, "t1 > 0.0");
    return t1;
}

double timeIntervalToRelativePosition(double offset, double length, double compression) {
    VL_ASSERT(offset >= 0, "offset >= 0");
    const double t1 = computeT1(length, compression);
    return (std::log(offset + t1) - std::log(t1)) / (std::log(length + t1) - std::log(t1));
}

double relativePositionToTimeInterval(double relative, double length, double compression) {
    const double t1 = computeT1(length, compression);
    return std::exp(std::log(t1) + (std::log(length + t1) - std::log(t1)) * relative) - t1;
}

double relativePositionToViewXPosition(double relative, double margin, double lineLength) {
    return relative * lineLength + margin;
}

double timeIntervalToViewXPosition(double offset, double length, double compression, double margin,
                                   double lineLength) {
    return relativePositionToViewXPosition(timeIntervalToRelativePosition(offset, length, compression),
                                           margin, lineLength);
}

EventList eventsInInterval(const EventList& events, const CalendarDate& start, const CalendarDate& end) {
    const QDateTime from = start.toQDateTime(), to = end.toQDateTime();
    EventList inside;
    for (const auto& event : events)
        if (event->startDate < to && event->endDate > from)
            inside.append(event);
    return inside;
}
