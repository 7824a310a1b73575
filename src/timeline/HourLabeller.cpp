#include "HourLabeller.h"

#include "dates/DateFormatter.h"
#include "timelineSettings.h"

HourLabeller::HourLabeller() : Labeller(HOUR_FONT_SIZE, HOUR_Y_OFFSET + HOUR_FONT_SIZE, Alignment::AtStart) {}

QString HourLabeller::labelForInterval(const EnumeratedInterval& interval) const {
    return QStringLiteral(" %1:00 ").arg(formatter().hourWithDate(interval.start));
}

// Midnight never stops the hour passes: it has no label to fit.
bool HourLabeller::doesLabelFitForInterval(const EnumeratedInterval& interval, float startPosition,
                                           float endPosition) const {
    return interval.start.hourOfDay() == 0 ||
           Labeller::doesLabelFitForInterval(interval, startPosition, endPosition);
}

void HourLabeller::drawLabelForInterval(QPainter& painter, const EnumeratedInterval& interval, float lineY,
                                        float startPosition, float endPosition, bool emphasized) const {
    if (interval.start.hourOfDay() != 0)
        Labeller::drawLabelForInterval(painter, interval, lineY, startPosition, endPosition, emphasized);
}
