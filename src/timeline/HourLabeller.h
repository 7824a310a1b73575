#pragma once

#include "Labeller.h"

// The hour of the day on its start boundary, " 09:00 " in two digits in either clock. Midnight is left
// unlabelled, where the day labels mark the boundary.
class HourLabeller : public Labeller {
public:
    HourLabeller();
    QString labelForInterval(const EnumeratedInterval& interval) const override;
    bool doesLabelFitForInterval(const EnumeratedInterval& interval, float startPosition,
                                 float endPosition) const override;
    void drawLabelForInterval(QPainter& painter, const EnumeratedInterval& interval, float lineY,
                              float startPosition, float endPosition, bool emphasized) const override;
};
