#pragma once

#include "Labeller.h"

// The full month name, " January ", centred on the month.
class MonthLabeller : public Labeller {
public:
    MonthLabeller();
    QString labelForInterval(const EnumeratedInterval& interval) const override;
};
