#include "TinyWeekdayLabeller.h"

#include "dates/DateFormatter.h"
#include "timelineSettings.h"

TinyWeekdayLabeller::TinyWeekdayLabeller()
    : WeekdayAndDateLabeller(TINY_WEEKDAY_Y_OFFSET + WEEKDAY_AND_DATE_FONT_SIZE, Alignment::Centred) {}

QString TinyWeekdayLabeller::labelForInterval(const EnumeratedInterval& interval) const {
    return QStringLiteral(" %1 ").arg(formatter().tinyWeekdayWithDate(interval.start));
}
