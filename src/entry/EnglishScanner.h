#pragma once

#include <QStringView>

#include <string_view>

// Reads the words of the entry language at a position of a line by hand, each as the regular expression
// named beside its reader would match there with PCRE (ignoring case, Unicode word characters): the
// first match, alternatives and repeats tried in PCRE's order. A regular expression engine costs several
// times as much per token, and compiling its patterns costs more than a whole line at start-up.
// Words are English letters, which ignoring case also finds as "ſ" (long s) and "K" (Kelvin sign).
class EnglishScanner {
public:
    enum Pattern {
        HourMeridiem,
        MonthDay,
        DayMonth,
        SlashedDate,
        WeekdayNextWeek,
        Weekday,
        ShortTime24h,
        DayOfMonth,
        Tomorrow,
        Today,
        Offset,
        NextUnit,
        NoonMidnight,
        Time12h,
        Time24h,
        To,
        Description,
        Whitespace,
    };
    enum Unit { Day, Week, Month, Year };

    // What a match read; only the fields of the pattern that matched are set.
    struct Captures {
        int hour = 0;
        int month = 0; // 0 = January
        int day = 1;
        int weekday = 0; // 0 = Sunday
        int count = 0;   // of an offset, at most 10,000,000
        Unit unit = Day;
    };

    // `dayMonthOrder` 1: slashed dates are month/day; otherwise day/month.
    EnglishScanner(QStringView text, int dayMonthOrder) : m_text(text), m_monthFirst(dayMonthOrder == 1) {}

    // Whether any pattern but To, Description and Whitespace can match at `c`: they all start with a
    // digit, "+", or the first letter of "at", a weekday, a month, "tomorrow", "today", "next", "noon"
    // or "midnight".
    static bool mayStartDateOrTime(QChar c);
    // The end of the pattern's first match at `at`, or -1 when it does not match there.
    qsizetype match(Pattern pattern, qsizetype at, Captures& captures) const;

private:
    struct Number {
        qsizetype end;
        int value;
    };
    // The ways a group of digits can match at a position, in the order PCRE tries them.
    struct Numbers {
        Number items[4];
        int count = 0;
        void add(qsizetype end, int value) { items[count++] = {end, value}; }
        const Number* begin() const { return items; }
        const Number* end() const { return items + count; }
    };

    QChar at(qsizetype i) const { return i < m_text.size() ? m_text[i] : QChar(); }
    int digit(qsizetype i) const;
    bool isWordBefore(qsizetype i) const;
    bool isWordAt(qsizetype i) const;
    bool boundary(qsizetype i) const { return isWordBefore(i) != isWordAt(i); }
    qsizetype spaces(qsizetype i) const;
    qsizetype blanks(qsizetype i) const;
    qsizetype literal(qsizetype i, std::string_view word) const;
    template <int N> int literalOf(qsizetype i, const std::string_view (&words)[N], qsizetype& end) const;
    template <int N> int wordOf(qsizetype i, const std::string_view (&words)[N], qsizetype& end) const;
    qsizetype afterAt(qsizetype i) const;
    qsizetype meridiem(qsizetype i) const;
    Numbers weekdayPrefix(qsizetype i) const;
    Numbers dayOfMonth(qsizetype i) const;
    Numbers hour(qsizetype i, int clockHours) const;
    Numbers monthNumber(qsizetype i) const;
    Numbers slashedDay(qsizetype i) const;
    Numbers minutes(qsizetype i) const;

    qsizetype monthDay(qsizetype i, Captures& captures) const;
    qsizetype dayMonth(qsizetype i, Captures& captures) const;
    qsizetype slashedDate(qsizetype i, Captures& captures) const;
    qsizetype offset(qsizetype i, Captures& captures) const;
    qsizetype time(qsizetype i, bool withMinutes, bool withMeridiem, Captures& captures) const;

    int weekdayAt(qsizetype i, qsizetype& end) const;

    QStringView m_text;
    bool m_monthFirst;
    // Four patterns start with a weekday: the one at the last position asked for is kept.
    mutable qsizetype m_weekdayStart = -1;
    mutable qsizetype m_weekdayEnd = -1;
    mutable int m_weekday = -1;
};
