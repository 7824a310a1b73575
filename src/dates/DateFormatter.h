#pragma once

#include "CalendarDate.h"
#include "PatternDateFormat.h"

#include <QList>
#include <QString>
#include <QStringList>

#include <cstdint>
#include <memory>

// The application's way of writing dates and times, in the 12- or 24-hour clock. Ranges use "start–end"
// with U+2013 EN DASH and no spaces.
//
// An all-day range (start and end both at 00:00:00, end after start) is judged by calendar days, not by
// comparing its length with 86,400 s, so that a 23-hour or 25-hour day across a daylight-saving change
// is still one day (see dateDescription).
class DateFormatter {
public:
    DateFormatter(); // timeModeHours 12, no locale (the default locale is used)
    ~DateFormatter();
    DateFormatter(const DateFormatter&) = delete;
    DateFormatter& operator=(const DateFormatter&) = delete;

    // 12 or 24. Any value other than 12 writes 24-hour times.
    int timeModeHours() const { return m_timeModeHours; }
    void setTimeModeHours(int hours) { m_timeModeHours = hours; }

    // The ICU name of the locale set ("en_US"), or empty while none is set; then the default locale is
    // used. Meridiem markers, weekday and month names are written in this locale's language.
    QString locale() const { return m_localeId; }
    void setLocale(const QString& localeId);

    // Single values.
    QString timeDescription12h(const CalendarDate& date) const;           // "h:mm a"  9:05 PM
    QString timeDescription12hNoMeridium(const CalendarDate& date) const; // "h:mm"    9:05
    QString timeDescription24h(const CalendarDate& date) const;           // "H:mm"    21:05
    QString meridiemWithDate(const CalendarDate& date) const;             // "a"       PM
    QString timeDescriptionWithDate(const CalendarDate& date) const;      // 12h or 24h by timeModeHours
    QString hourWithDate(const CalendarDate& date) const;                 // "hh" (12) or "HH" (24)
    QString dateOnlyDescriptionWithDate(const CalendarDate& date) const;  // "EEE MMM d"  Mon Jan 5
    QString dateDescriptionWithDate(const CalendarDate& date) const;      // Mon Jan 5 9:05 PM
    QString weekdayAndDayOfMonthWithDate(const CalendarDate& date) const; // "EEE d"  Mon 5
    QString monthWithDate(const CalendarDate& date) const;                // "MMMM"   January
    QString yearWithDate(const CalendarDate& date) const;                 // "y"      2009
    QString tinyWeekdayWithDate(const CalendarDate& date) const;          // "EEEEE"  M
    QString dayOfMonthWithDate(const CalendarDate& date) const;           // "d"      5

    // Ranges.
    // Equal meridiems: "9:00–10:30 AM"; different: "11:00 AM–1:00 PM".
    QString timeRangeDescription12h(const CalendarDate& start, const CalendarDate& end) const;
    // At least 86,400 s, or an all-day range: dateDescription. Otherwise the two times, 24-hour
    // ("9:00–10:30") or timeRangeDescription12h by timeModeHours.
    QString timeDescription(const CalendarDate& start, const CalendarDate& end) const;
    // All-day range: the day alone when (end − 1 s) is on start's day ("Mon Jan 5"), otherwise the first
    // and the last day ("Mon Jan 5–Wed Jan 7"). Otherwise, shorter than 86,400 s: the day and the
    // times ("Mon Jan 5 9:00–10:30 AM"); longer: both ends with day and time ("Mon Jan 5 9:00 AM–Tue Jan 6
    // 9:00 AM").
    QString dateDescription(const CalendarDate& start, const CalendarDate& end) const;

    // True at 00:00:00 in the default time zone.
    bool evenDay(const CalendarDate& date) const { return date.evenDay(); }
    // Start and end both at 00:00:00 and end after start: whole days.
    static bool isAllDayRange(const CalendarDate& start, const CalendarDate& end);
    // The same year, month and day in the default time zone.
    static bool onSameDay(const CalendarDate& a, const CalendarDate& b);

    // Full names in the formatter's locale: weekdays Sunday first (7), months January first (12).
    QStringList weekdayNames() const;
    QStringList monthNames() const;
    // Weekday 1 = Sunday ... 7 = Saturday; outside: InternalInconsistency "i in [1,7] range <n>".
    QString dayOfWeekAsString(int weekday) const;
    // The listed weekdays' names in week order Sunday to Saturday, each once, joined by serialString
    // ("Monday, Wednesday and Friday"). Outside 1-7: InternalInconsistency "dayOfWeek in [1,7] range".
    QString daysOfTheWeekAsString(const QList<int>& weekdays) const;
    // The listed months' names in calendar order, each once, joined by serialString ("January and
    // July"). Outside 1-12: InternalInconsistency "month index in [1,12] range <n>".
    QString monthsOfTheYearAsString(const QList<int>& months) const;

    // The failure texts, shared with CalendarInformation ("%d" stands for the number).
    static constexpr const char* WEEKDAY_FAILURE = "i in [1,7] range %d";
    static constexpr const char* WEEKDAYS_FAILURE = "dayOfWeek in [1,7] range";
    static constexpr const char* MONTHS_FAILURE = "month index in [1,12] range %d";

private:
    struct Names {
        std::uint64_t generation = 0;
        QString localeId;
        QStringList weekdays;
        QStringList months;
    };
    const Names& names() const;

    int m_timeModeHours = 12;
    QString m_localeId;
    PatternDateFormat m_hourOnlyFormatter12h{QStringLiteral("hh")};
    PatternDateFormat m_hourOnlyFormatter24h{QStringLiteral("HH")};
    PatternDateFormat m_timeFormatter12h{QStringLiteral("h:mm a")};
    PatternDateFormat m_timeFormatter12hNoMeridium{QStringLiteral("h:mm")};
    PatternDateFormat m_meridiumFormatter{QStringLiteral("a")};
    PatternDateFormat m_timeFormatter24h{QStringLiteral("H:mm")};
    PatternDateFormat m_weekdayMonthAndDayOfMonthFormatter{QStringLiteral("EEE MMM d")};
    PatternDateFormat m_weekdayAndDayOfMonthFormatter{QStringLiteral("EEE d")};
    PatternDateFormat m_monthFormatter{QStringLiteral("MMMM")};
    PatternDateFormat m_yearFormatter{QStringLiteral("y")};
    PatternDateFormat m_tinyWeekdayFormatter{QStringLiteral("EEEEE")};
    PatternDateFormat m_dayOfMonthFormatter{QStringLiteral("d")};
    mutable Names m_names;
};
