#include "YearLabeller.h"

#include "dates/DateFormatter.h"
#include "timelineSettings.h"

YearLabeller::YearLabeller() : Labeller(YEAR_FONT_SIZE, YEAR_Y_OFFSET + YEAR_FONT_SIZE, Alignment::Centred) {}

QString YearLabeller::labelForInterval(const EnumeratedInterval& interval) const {
    return QStringLiteral(" %1 ").arg(formatter().yearWithDate(interval.start));
}
