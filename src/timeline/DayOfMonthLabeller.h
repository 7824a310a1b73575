#pragma once

#include "WeekdayAndDateLabeller.h"

// The day number alone, " 5 ", in the date row.
class DayOfMonthLabeller : public WeekdayAndDateLabeller {
public:
    DayOfMonthLabeller();
    QString labelForInterval(const EnumeratedInterval& interval) const override;

protected:
    explicit DayOfMonthLabeller(Alignment alignment);
};
