#include "EnglishScanner.h"

#include <algorithm>
#include <cstring>

using namespace std::string_view_literals;

namespace {

// WEEKDAY: "(sunday|...|saturday)|(sun|...|sat)|(su|...|sa)", read modulo 7.
constexpr std::string_view WEEKDAYS[] = {
    "sunday", "monday", "tuesday", "wednesday", "thursday", "friday", "saturday", "sun", "mon", "tue", "wed",
    "thu",    "fri",    "sat",     "su",        "mo",       "tu",     "we",       "th",  "fr",  "sa"};
// MONTH: "(jan|...|dec)|(january|...|december)", read modulo 12.
constexpr std::string_view MONTHS[] = {"jan",     "feb",      "mar",       "apr",     "may",      "jun",
                                       "jul",     "aug",      "sep",       "oct",     "nov",      "dec",
                                       "january", "february", "march",     "april",   "may",      "june",
                                       "july",    "august",   "september", "october", "november", "december"};
constexpr std::string_view UNITS[] = {"day", "week", "month", "year"};
constexpr std::string_view DAY_SUFFIXES[] = {"nd", "th", "rd", "st"};

// A letter ignoring case as PCRE does with Unicode, as lower-case ASCII: besides the two ASCII cases, the
// long s is "s" and the Kelvin sign "k". 0 for anything else.
char foldedLetter(QChar c) {
    const char16_t u = c.unicode();
    if (u >= u'a' && u <= u'z')
        return char(u);
    if (u >= u'A' && u <= u'Z')
        return char(u - u'A' + u'a');
    return u == 0x017F ? 's' : u == 0x212A ? 'k' : 0;
}

// Characters of a word other than letters (".", digits) stand for themselves.
bool sameLetter(QChar c, char lower) {
    return lower >= 'a' && lower <= 'z' ? foldedLetter(c) == lower : c == QLatin1Char(lower);
}

// \w with Unicode properties: letters and numbers of every script, and the underscore.
bool isWordCharacter(char32_t c) {
    return c == U'_' || QChar::isLetterOrNumber(c);
}

// Whether `pattern` can match where the text goes on with `c`: most patterns are ruled out by their
// first character, before any of their readers runs.
bool mayStartWith(EnglishScanner::Pattern pattern, QChar c) {
    const bool digit = c >= u'0' && c <= u'9';
    const char letter = foldedLetter(c);
    switch (pattern) {
    case EnglishScanner::HourMeridiem:
    case EnglishScanner::ShortTime24h:
    case EnglishScanner::Time12h:
    case EnglishScanner::Time24h: // "(at +)?" and an hour
        return digit || letter == 'a';
    case EnglishScanner::MonthDay:
    case EnglishScanner::WeekdayNextWeek:
    case EnglishScanner::Weekday: // a weekday or a month
        return letter != 0;
    case EnglishScanner::DayMonth: // a weekday or a day
        return digit || letter != 0;
    case EnglishScanner::SlashedDate:
    case EnglishScanner::DayOfMonth:
        return digit;
    case EnglishScanner::Tomorrow:
    case EnglishScanner::Today:
        return letter == 't';
    case EnglishScanner::NextUnit:
        return letter == 'n';
    case EnglishScanner::Offset:
        return c == u'+';
    case EnglishScanner::NoonMidnight:
        return letter == 'a' || letter == 'n' || letter == 'm';
    default:
        return true;
    }
}

} // namespace

bool EnglishScanner::mayStartDateOrTime(QChar c) {
    const char letter = foldedLetter(c);
    return (c >= u'0' && c <= u'9') || c == u'+' || (letter != 0 && std::strchr("adfjmnostw", letter));
}

int EnglishScanner::digit(qsizetype i) const {
    const char16_t c = at(i).unicode();
    return c >= u'0' && c <= u'9' ? c - u'0' : -1;
}

bool EnglishScanner::isWordBefore(qsizetype i) const {
    if (i <= 0)
        return false;
    const QChar c = m_text[i - 1];
    if (c.isLowSurrogate() && i >= 2 && m_text[i - 2].isHighSurrogate())
        return isWordCharacter(QChar::surrogateToUcs4(m_text[i - 2], c));
    return isWordCharacter(c.unicode());
}

bool EnglishScanner::isWordAt(qsizetype i) const {
    if (i >= m_text.size())
        return false;
    const QChar c = m_text[i];
    if (c.isHighSurrogate() && i + 1 < m_text.size() && m_text[i + 1].isLowSurrogate())
        return isWordCharacter(QChar::surrogateToUcs4(c, m_text[i + 1]));
    return isWordCharacter(c.unicode());
}

// " *"
qsizetype EnglishScanner::spaces(qsizetype i) const {
    while (at(i) == u' ')
        ++i;
    return i;
}

// "[ \t]*"
qsizetype EnglishScanner::blanks(qsizetype i) const {
    while (at(i) == u' ' || at(i) == u'\t')
        ++i;
    return i;
}

qsizetype EnglishScanner::literal(qsizetype i, std::string_view word) const {
    if (i + qsizetype(word.size()) > m_text.size())
        return -1;
    for (const char letter : word) {
        if (!sameLetter(m_text[i++], letter))
            return -1;
    }
    return i;
}

// The first of `words` standing at `i`, or -1.
template <int N>
int EnglishScanner::literalOf(qsizetype i, const std::string_view (&words)[N], qsizetype& end) const {
    for (int index = 0; index < N; ++index) {
        if ((end = literal(i, words[index])) >= 0)
            return index;
    }
    return -1;
}

// The one of `words` standing at `i` with no word character after it, or -1. Where such a list is used,
// what follows it needs a character that is not part of a word (blanks or \b), so PCRE can only succeed
// with that one, whichever order it tries them in. That word is all the letters from `i` on.
template <int N>
int EnglishScanner::wordOf(qsizetype i, const std::string_view (&words)[N], qsizetype& end) const {
    constexpr qsizetype LONGEST = 9; // "september", "wednesday"
    char folded[LONGEST + 1];
    qsizetype length = 0;
    while (length <= LONGEST && (folded[length] = foldedLetter(at(i + length))) != 0)
        ++length;
    if (length == 0 || length > LONGEST || isWordAt(i + length))
        return -1;
    end = i + length;
    const std::string_view word(folded, size_t(length));
    for (int index = 0; index < N; ++index) {
        // The first letter rules out most words before a comparison of the whole.
        if (words[index][0] == word[0] && words[index] == word)
            return index;
    }
    return -1;
}

// WEEKDAY, as wordOf reads it.
int EnglishScanner::weekdayAt(qsizetype i, qsizetype& end) const {
    if (m_weekdayStart != i) {
        m_weekday = wordOf(i, WEEKDAYS, m_weekdayEnd);
        m_weekdayStart = i;
    }
    end = m_weekdayEnd;
    return m_weekday < 0 ? -1 : m_weekday % 7;
}

// "(at +)?": without "at", the digits or words after it cannot match at its "a" either.
qsizetype EnglishScanner::afterAt(qsizetype i) const {
    const qsizetype end = literal(i, "at");
    return end >= 0 && at(end) == u' ' ? spaces(end) : i;
}

// "(am\b|pm\b|a\.m\.|p\.m\.)"
qsizetype EnglishScanner::meridiem(qsizetype i) const {
    for (const std::string_view word : {"am"sv, "pm"sv}) {
        if (const qsizetype end = literal(i, word); end >= 0 && boundary(end))
            return end;
    }
    for (const std::string_view word : {"a.m."sv, "p.m."sv}) {
        if (const qsizetype end = literal(i, word); end >= 0)
            return end;
    }
    return -1;
}

// "((WEEKDAY) +)?"
EnglishScanner::Numbers EnglishScanner::weekdayPrefix(qsizetype i) const {
    Numbers starts;
    qsizetype end;
    if (const int weekday = weekdayAt(i, end); weekday >= 0 && at(end) == u' ')
        starts.add(spaces(end), weekday);
    starts.add(i, -1);
    return starts;
}

// "([1-9]|[12][0-9]|3[01])(?!:)(nd|th|rd|st)?"
EnglishScanner::Numbers EnglishScanner::dayOfMonth(qsizetype i) const {
    Numbers days;
    const auto add = [&](qsizetype end, int day) {
        if (at(end) == u':')
            return;
        qsizetype suffixEnd;
        if (literalOf(end, DAY_SUFFIXES, suffixEnd) >= 0)
            days.add(suffixEnd, day);
        days.add(end, day);
    };
    const int first = digit(i), second = digit(i + 1);
    if (first >= 1)
        add(i + 1, first);
    if ((first == 1 || first == 2) && second >= 0)
        add(i + 2, first * 10 + second);
    else if (first == 3 && (second == 0 || second == 1))
        add(i + 2, 30 + second);
    return days;
}

// 24: "(2[0-3]|1[0-9]|0?[0-9])"; 12: "(1[0-9]|0?[0-9])"
EnglishScanner::Numbers EnglishScanner::hour(qsizetype i, int clockHours) const {
    Numbers hours;
    const int first = digit(i), second = digit(i + 1);
    if (second >= 0 && (first == 0 || first == 1 || (clockHours == 24 && first == 2 && second <= 3)))
        hours.add(i + 2, first * 10 + second);
    if (first >= 0)
        hours.add(i + 1, first);
    return hours;
}

// "(1[0-2]|0?[1-9])"
EnglishScanner::Numbers EnglishScanner::monthNumber(qsizetype i) const {
    Numbers months;
    const int first = digit(i), second = digit(i + 1);
    if ((first == 1 && second >= 0 && second <= 2) || (first == 0 && second >= 1))
        months.add(i + 2, first * 10 + second);
    if (first >= 1)
        months.add(i + 1, first);
    return months;
}

// "(0?[1-9]|[12][0-9]|3[01])"
EnglishScanner::Numbers EnglishScanner::slashedDay(qsizetype i) const {
    Numbers days;
    const int first = digit(i), second = digit(i + 1);
    if (first == 0 && second >= 1)
        days.add(i + 2, second);
    if (first >= 1)
        days.add(i + 1, first);
    if (((first == 1 || first == 2) && second >= 0) || (first == 3 && (second == 0 || second == 1)))
        days.add(i + 2, first * 10 + second);
    return days;
}

// "(:[0-5][0-9]){1,2}"
EnglishScanner::Numbers EnglishScanner::minutes(qsizetype i) const {
    const auto group = [this](qsizetype start) {
        return start >= 0 && at(start) == u':' && digit(start + 1) >= 0 && digit(start + 1) <= 5 &&
                       digit(start + 2) >= 0
                   ? start + 3
                   : qsizetype(-1);
    };
    Numbers ends;
    const qsizetype one = group(i);
    if (const qsizetype two = group(one); two >= 0)
        ends.add(two, 0);
    if (one >= 0)
        ends.add(one, 0);
    return ends;
}

// "((WEEKDAY) +)?(MONTH)([ \t]+(DAY_OF_MONTH))?\b *"
qsizetype EnglishScanner::monthDay(qsizetype i, Captures& captures) const {
    for (const Number& start : weekdayPrefix(i)) {
        qsizetype end;
        const int month = wordOf(start.end, MONTHS, end);
        if (month < 0)
            continue;
        captures.month = month % 12;
        if (const qsizetype dayStart = blanks(end); dayStart > end) {
            for (const Number& day : dayOfMonth(dayStart)) {
                if (boundary(day.end)) {
                    captures.day = day.value;
                    return spaces(day.end);
                }
            }
        }
        captures.day = 1;
        return spaces(end);
    }
    return -1;
}

// "((WEEKDAY) +)?(DAY_OF_MONTH)[ \t]+(MONTH)\b *"
qsizetype EnglishScanner::dayMonth(qsizetype i, Captures& captures) const {
    for (const Number& start : weekdayPrefix(i)) {
        for (const Number& day : dayOfMonth(start.end)) {
            const qsizetype monthStart = blanks(day.end);
            qsizetype end;
            const int month = monthStart > day.end ? wordOf(monthStart, MONTHS, end) : -1;
            if (month >= 0) {
                captures.day = day.value;
                captures.month = month % 12;
                return spaces(end);
            }
        }
    }
    return -1;
}

// "(MONTH_NUMBER)/(SLASHED_DAY)\b *" or "(SLASHED_DAY)/(MONTH_NUMBER)\b *"
qsizetype EnglishScanner::slashedDate(qsizetype i, Captures& captures) const {
    for (const Number& first : m_monthFirst ? monthNumber(i) : slashedDay(i)) {
        if (at(first.end) != u'/')
            continue;
        for (const Number& second : m_monthFirst ? slashedDay(first.end + 1) : monthNumber(first.end + 1)) {
            if (boundary(second.end)) {
                captures.month = (m_monthFirst ? first.value : second.value) - 1;
                captures.day = m_monthFirst ? second.value : first.value;
                return spaces(second.end);
            }
        }
    }
    return -1;
}

// "\+[ \t]*(?<offset>[1-9][0-9]*)[ \t]*(?<type>day|week|month|year)s?\b *"
qsizetype EnglishScanner::offset(qsizetype i, Captures& captures) const {
    if (at(i) != u'+')
        return -1;
    qsizetype end = blanks(i + 1);
    if (digit(end) < 1)
        return -1;
    qint64 count = 0;
    for (; digit(end) >= 0; ++end)
        count = std::min<qint64>(count * 10 + digit(end), 10000000);
    const int unit = literalOf(blanks(end), UNITS, end);
    if (unit < 0)
        return -1;
    if (const qsizetype plural = literal(end, "s"); plural >= 0 && boundary(plural))
        end = plural;
    else if (!boundary(end))
        return -1;
    captures.count = int(count);
    captures.unit = Unit(unit);
    return spaces(end);
}

// Hour, minutes and meridiem as the four time patterns have them:
// hour and meridiem "(at +)?(1[0-9]|0?[0-9]) *(MERIDIEM) *",
// 12 hours "(at +)?(1[0-9]|0?[0-9])(:[0-5][0-9]){1,2} *(MERIDIEM) *",
// 24 hours "(at +)?(2[0-3]|1[0-9]|0?[0-9])(:[0-5][0-9]){1,2}(?!:)\b *",
// a bare hour "(at +)?(2[0-3]|1[0-9]|0?[0-9])(?!:)\b *".
qsizetype EnglishScanner::time(qsizetype i, bool withMinutes, bool withMeridiem, Captures& captures) const {
    for (const Number& hourNumber : hour(afterAt(i), withMeridiem ? 12 : 24)) {
        Numbers ends;
        if (withMinutes)
            ends = minutes(hourNumber.end);
        else
            ends.add(hourNumber.end, 0);
        for (const Number& end : ends) {
            const qsizetype stop = withMeridiem                               ? meridiem(spaces(end.end))
                                   : at(end.end) != u':' && boundary(end.end) ? end.end
                                                                              : -1;
            if (stop >= 0) {
                captures.hour = hourNumber.value;
                return spaces(stop);
            }
        }
    }
    return -1;
}

qsizetype EnglishScanner::match(Pattern pattern, qsizetype i, Captures& captures) const {
    if (!mayStartWith(pattern, at(i)))
        return -1;
    qsizetype end = -1;
    switch (pattern) {
    case HourMeridiem:
        return time(i, false, true, captures);
    case MonthDay:
        return monthDay(i, captures);
    case DayMonth:
        return dayMonth(i, captures);
    case SlashedDate:
        return slashedDate(i, captures);
    case WeekdayNextWeek: { // "(WEEKDAY) +next +week\b *"
        const int weekday = weekdayAt(i, end);
        if (weekday < 0 || at(end) != u' ' || (end = literal(spaces(end), "next")) < 0 || at(end) != u' ' ||
            (end = literal(spaces(end), "week")) < 0 || !boundary(end))
            return -1;
        captures.weekday = weekday;
        return spaces(end);
    }
    case Weekday: { // "(WEEKDAY)\b *"
        const int weekday = weekdayAt(i, end);
        if (weekday < 0)
            return -1;
        captures.weekday = weekday;
        return spaces(end);
    }
    case ShortTime24h:
        return time(i, false, false, captures);
    case DayOfMonth: // "(DAY_OF_MONTH)\b *"
        for (const Number& day : dayOfMonth(i)) {
            if (boundary(day.end)) {
                captures.day = day.value;
                return spaces(day.end);
            }
        }
        return -1;
    case Tomorrow: // "tomorrow\b *"
        end = literal(i, "tomorrow");
        return end >= 0 && boundary(end) ? spaces(end) : -1;
    case Today: // "today\b *"
        end = literal(i, "today");
        return end >= 0 && boundary(end) ? spaces(end) : -1;
    case Offset:
        return offset(i, captures);
    case NextUnit: { // "next +(?<type>day|week|month|year)\b *"
        end = literal(i, "next");
        if (end < 0 || at(end) != u' ')
            return -1;
        const int unit = literalOf(spaces(end), UNITS, end);
        if (unit < 0 || !boundary(end))
            return -1;
        captures.unit = Unit(unit);
        return spaces(end);
    }
    case NoonMidnight: // "(at +)?(noon|midnight)\b *"
        for (const std::string_view word : {"noon"sv, "midnight"sv}) {
            end = literal(afterAt(i), word);
            if (end >= 0 && boundary(end))
                return spaces(end);
        }
        return -1;
    case Time12h:
        return time(i, true, true, captures);
    case Time24h:
        return time(i, true, false, captures);
    case To: // "(to\b|-) *"
        end = literal(i, "to");
        if (end >= 0 && boundary(end))
            return spaces(end);
        return at(i) == u'-' ? spaces(i + 1) : -1;
    case Description: { // "[^ \t].*": "." is any character but a line feed
        if (i >= m_text.size() || at(i) == u' ' || at(i) == u'\t')
            return -1;
        const qsizetype next = i + (at(i).isHighSurrogate() && at(i + 1).isLowSurrogate() ? 2 : 1);
        const qsizetype lineFeed = m_text.indexOf(u'\n', next);
        return lineFeed >= 0 ? lineFeed : m_text.size();
    }
    case Whitespace: // "[ \t]+"
        end = blanks(i);
        return end > i ? end : -1;
    }
    return -1;
}
