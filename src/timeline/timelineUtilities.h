#pragma once

#include "dates/CalendarDate.h"
#include "store/CalendarStore.h"

// The logarithmic scale's arithmetic, on seconds and fractions of the line.

// The offset at which the scale's curve bends: length · compression / (1 − compression).
double computeT1(double length, double compression);
// 0 at offset 0, 1 at offset `length`; the offset must not be negative.
double timeIntervalToRelativePosition(double offset, double length, double compression);
// The inverse; not range-checked, so positions off the line give offsets before 0 (never below −t1) or
// beyond `length`.
double relativePositionToTimeInterval(double relative, double length, double compression);
double relativePositionToViewXPosition(double relative, double margin, double lineLength);
double timeIntervalToViewXPosition(double offset, double length, double compression, double margin,
                                   double lineLength);

// The events that overlap [start, end), strictly on both sides, in their given order.
EventList eventsInInterval(const EventList& events, const CalendarDate& start, const CalendarDate& end);
