#pragma once

#include "dates/CalendarDate.h"

#include <QDateTime>
#include <QString>

// The text of iCalendar DATE, DATE-TIME and DURATION values. Fields are taken as given (month 1-12); the
// caller has converted them to the wall clock it means.
class IcsValueFormat {
public:
    static QString date(int year, int month, int day); // 20260610
    static QString dateTime(int year, int month, int day, int hour, int minute,
                            int second);                  // 20260610T093000
    static QString utcDateTime(const QDateTime& instant); // 20260610T073000Z
    // The wall-clock date and time, or date, of an instant in the default time zone.
    static QString localDateTime(const CalendarDate& instant);
    static QString localDate(const CalendarDate& instant);
    // Whole seconds with a sign, in days, hours, minutes and seconds: -PT15M, P1DT12H, PT0S.
    static QString duration(qint64 seconds);
    // A RRULE value with one part (COUNT, UNTIL, ...) replaced where it stands or appended, or removed for an
    // empty value; the other parts stay as written.
    static QString withRulePart(QStringView rule, QStringView part, const QString& value);
};
