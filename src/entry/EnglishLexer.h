#pragma once

#include "DateDescription.h"
#include "Lexer.h"
#include "dates/TimeOfDay.h"

#include <QStringList>

#include <bitset>

#include <optional>

// The lexer of the entry language: 19 definitions in a fixed order, two of them live (the calendar names
// and the order of day and month in slashed dates), and the conversion of date, time and calendar tokens
// into values. Words are English and matched without regard to letter case. All but the calendar names
// are read by EnglishScanner; definitions set on top are tried after them.
class EnglishLexer : public Lexer {
public:
    explicit EnglishLexer(const QStringList& calendarNames = {});

    // Names are matched literally: characters that mean something in a pattern ("C++", "(work)") are
    // escaped, and empty names (or broken UTF-16) are left out. An earlier name wins over a later one it is a
    // prefix of.
    void setCalendarNames(const QStringList& names);
    // 1: month before day (12/25); anything else: day before month (25/12).
    void setDayMonthOrder(int order) { m_dayMonthOrder = order; }
    int dayMonthOrder() const { return m_dayMonthOrder; }

    // The date a DATE or SHORT_TIME_24H token names, or nothing ("0", "at 9").
    std::optional<DateDescription> parseDATE(QStringView text) const;
    // The clock time of a TIME or SHORT_TIME_24H token.
    TimeOfDay parseTIME(QStringView text) const;
    // The calendar name as typed, without the colon and blanks.
    QString parseCALENDAR(QStringView text) const;

protected:
    Token scan() override;
    void stringChanged() override;

private:
    bool mayStartCalendarName(QChar c) const;
    bool isValidUtf16From(qsizetype start) const;

    RegexPattern m_calendar;
    bool m_hasCalendarNames = false;
    // The ASCII characters a name starts with, in lower case: ignoring case, an ASCII character matches
    // no other but its other case, and "s" and "k" also the long s and the Kelvin sign.
    std::bitset<128> m_calendarStarts;
    int m_dayMonthOrder = 0;
    // The last lone surrogate of the text, or -1: the rest of the text is valid UTF-16 from any position
    // after it but a low surrogate's. Found once per text rather than once per token.
    qsizetype m_lastLoneSurrogate = -1;
};
