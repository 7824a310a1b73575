#include "WeekdayAndDateLabeller.h"

#include "dates/DateFormatter.h"
#include "timelineSettings.h"

WeekdayAndDateLabeller::WeekdayAndDateLabeller()
    : WeekdayAndDateLabeller(WEEKDAY_AND_DATE_Y_OFFSET + WEEKDAY_AND_DATE_FONT_SIZE, Alignment::Centred) {}

WeekdayAndDateLabeller::WeekdayAndDateLabeller(float rowOffset, Alignment alignment)
    : Labeller(WEEKDAY_AND_DATE_FONT_SIZE, rowOffset, alignment) {}

QString WeekdayAndDateLabeller::labelForInterval(const EnumeratedInterval& interval) const {
    return QStringLiteral(" %1 ").arg(formatter().weekdayAndDayOfMonthWithDate(interval.start));
}

QColor WeekdayAndDateLabeller::colorForInterval(const EnumeratedInterval& interval) const {
    return interval.start.dayOfWeek() == 0 ? colors().holiday : colors().text;
}
