#pragma once

#include "WeekdayAndDateLabeller.h"

// The one-letter weekday, " M ", in the hour row where days are too narrow for weekday and date.
class TinyWeekdayLabeller : public WeekdayAndDateLabeller {
public:
    TinyWeekdayLabeller();
    QString labelForInterval(const EnumeratedInterval& interval) const override;
};
