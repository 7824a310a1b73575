#pragma once

#include "DayOfMonthLabeller.h"

// The day number centred on the interval's start: every fifth day, at noon, where single days are too
// narrow for their numbers.
class DateAtStartPositionLabeller : public DayOfMonthLabeller {
public:
    DateAtStartPositionLabeller();
};
