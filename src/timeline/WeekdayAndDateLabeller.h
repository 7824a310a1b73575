#pragma once

#include "Labeller.h"

// " Mon 5 " centred on the day; Sundays in red, as in every day label derived from this one.
class WeekdayAndDateLabeller : public Labeller {
public:
    WeekdayAndDateLabeller();
    QString labelForInterval(const EnumeratedInterval& interval) const override;

protected:
    WeekdayAndDateLabeller(float rowOffset, Alignment alignment);
    QColor colorForInterval(const EnumeratedInterval& interval) const override;
};
