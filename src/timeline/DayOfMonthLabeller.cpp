#include "DayOfMonthLabeller.h"

#include "dates/DateFormatter.h"
#include "timelineSettings.h"

DayOfMonthLabeller::DayOfMonthLabeller() : DayOfMonthLabeller(Alignment::Centred) {}

DayOfMonthLabeller::DayOfMonthLabeller(Alignment alignment)
    : WeekdayAndDateLabeller(WEEKDAY_AND_DATE_Y_OFFSET + WEEKDAY_AND_DATE_FONT_SIZE, alignment) {}

QString DayOfMonthLabeller::labelForInterval(const EnumeratedInterval& interval) const {
    return QStringLiteral(" %1 ").arg(formatter().dayOfMonthWithDate(interval.start));
}
