#pragma once

#include "DateDescription.h"
#include "FirstFullMatch.h"
#include "Lexer.h"
#include "dates/TimeOfDay.h"

#include <QStringList>

#include <optional>

// The lexer of the entry language: 19 definitions in a fixed order, two of them live (the calendar names
// and the order of day and month in slashed dates), and the conversion of date, time and calendar tokens
// into values. Words are English and matched without regard to letter case.
class EnglishLexer : public Lexer {
public:
    explicit EnglishLexer(const QStringList& calendarNames = {});

    // Names are matched literally: characters that mean something in a pattern ("C++", "(work)") are
    // escaped, and empty names (or broken UTF-16) are left out. An earlier name wins over a later one it is a
    // prefix of.
    void setCalendarNames(const QStringList& names);
    // 1: month before day (12/25); anything else: day before month (25/12).
    void setDayMonthOrder(int order);
    int dayMonthOrder() const { return m_dayMonthOrder; }
    const QString& re_calendar() const { return m_calendar->text(); }

    // The date a DATE or SHORT_TIME_24H token names, or nothing ("0", "at 9").
    std::optional<DateDescription> parseDATE(const QString& text) const;
    // The clock time of a TIME or SHORT_TIME_24H token.
    TimeOfDay parseTIME(const QString& text) const;
    // The calendar name as typed, without the colon and blanks.
    QString parseCALENDAR(const QString& text) const;

private:
    DateDescription parseMonthDay(const QString& text, const RegexPattern& pattern) const;
    DateDescription parseSlashedMonthDayOrDayMonth(const QString& text) const;
    int indexOfDayOfWeek(const QString& text) const;

    std::shared_ptr<RegexPattern> m_calendar;
    std::shared_ptr<RegexPattern> m_slashedMonthDayOrDayMonth;
    FirstFullMatch m_datePatterns;
    int m_dayMonthOrder = 0;
};
