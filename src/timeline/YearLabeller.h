#pragma once

#include "Labeller.h"

// The year, " 2026 ", centred on the year in the top row.
class YearLabeller : public Labeller {
public:
    YearLabeller();
    QString labelForInterval(const EnumeratedInterval& interval) const override;
};
