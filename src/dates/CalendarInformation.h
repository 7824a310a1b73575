#pragma once

#include <QList>
#include <QString>
#include <QStringList>

// Class-level weekday and month names of the default locale and the default locale's first weekday.
// Weekday numbers are 1 = Sunday ... 7 = Saturday, month numbers 1 = January ... 12 =
// December; a column is 0-6 in a week that starts with firstDay(). The names and the first weekday are
// read on first use and kept; they are read again only when DateEnvironment's zone or locale changes
// (DateEnvironment::generation()), which in the application happens only at start-up.
class CalendarInformation {
public:
    CalendarInformation() = delete;

    static QStringList weekdayNames(); // 7, Sunday first
    static QStringList monthNames();   // 12, January first
    static int firstDay();             // CalendarDate::firstWeekday(), 1 = Sunday ... 7 = Saturday

    // Column 0-6 → weekday number ((column + firstDay − 1) mod 7) + 1. Outside 0-6: InternalInconsistency
    // "column in [0,6] range <n>".
    static int weekDayIndexFromLocalizedIndex(int column);
    // Weekday 1-7 → column (weekday + 7 − firstDay) mod 7. Outside 1-7: InternalInconsistency
    // "weekday index in [1,7] range <n>".
    static int localizedIndexFromWeekDayIndex(int weekday);

    // As the DateFormatter operations of the same names, with these names and the same failure texts.
    static QString dayOfWeekAsString(int weekday);
    static QString daysOfTheWeekAsString(const QList<int>& weekdays);
    static QString monthsOfTheYearAsString(const QList<int>& months);
};
