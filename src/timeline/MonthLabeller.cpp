#include "MonthLabeller.h"

#include "dates/DateFormatter.h"
#include "timelineSettings.h"

MonthLabeller::MonthLabeller()
    : Labeller(MONTH_FONT_SIZE, MONTH_Y_OFFSET + MONTH_FONT_SIZE, Alignment::Centred) {}

QString MonthLabeller::labelForInterval(const EnumeratedInterval& interval) const {
    return QStringLiteral(" %1 ").arg(formatter().monthWithDate(interval.start));
}
