#include "CalendarInformation.h"

#include "CalendarDate.h"
#include "DateEnvironment.h"
#include "DateFormatter.h"
#include "base/InternalInconsistency.h"
#include "serialString.h"

#include <cstdint>

namespace {

struct Information {
    std::uint64_t generation = 0;
    QStringList weekdayNames;
    QStringList monthNames;
    int firstDay = 1;
};

const Information& information() {
    static Information information;
    if (information.generation != DateEnvironment::generation()) {
        const DateFormatter formatter; // no locale of its own: the default locale
        information.weekdayNames = formatter.weekdayNames();
        information.monthNames = formatter.monthNames();
        information.firstDay = CalendarDate::firstWeekday();
        information.generation = DateEnvironment::generation();
    }
    return information;
}

} // namespace

QStringList CalendarInformation::weekdayNames() {
    return information().weekdayNames;
}

QStringList CalendarInformation::monthNames() {
    return information().monthNames;
}

int CalendarInformation::firstDay() {
    return information().firstDay;
}

int CalendarInformation::weekDayIndexFromLocalizedIndex(int column) {
    VL_ASSERT(column >= 0 && column <= 6, QStringLiteral("column in [0,6] range %1").arg(column));
    return (column + firstDay() - 1) % 7 + 1;
}

int CalendarInformation::localizedIndexFromWeekDayIndex(int weekday) {
    VL_ASSERT(weekday >= 1 && weekday <= 7, QStringLiteral("weekday index in [1,7] range %1").arg(weekday));
    return (weekday + 7 - firstDay()) % 7;
}

QString CalendarInformation::dayOfWeekAsString(int weekday) {
    return nameOfNumber(information().weekdayNames, weekday, DateFormatter::WEEKDAY_FAILURE);
}

QString CalendarInformation::daysOfTheWeekAsString(const QList<int>& weekdays) {
    return serialStringOfNumberedNames(information().weekdayNames, weekdays, DateFormatter::WEEKDAYS_FAILURE);
}

QString CalendarInformation::monthsOfTheYearAsString(const QList<int>& months) {
    return serialStringOfNumberedNames(information().monthNames, months, DateFormatter::MONTHS_FAILURE);
}
