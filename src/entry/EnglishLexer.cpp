#include "EnglishLexer.h"

#include "EnglishScanner.h"
#include "base/InternalInconsistency.h"
#include "dates/TimeOfDayReader.h"

#include <QRegularExpressionMatch>

#include <utility>

namespace {

using Scanner = EnglishScanner;

// The definitions before the calendar names, in the order in which they are tried at a position.
constexpr std::pair<int, Scanner::Pattern> BEFORE_CALENDAR[] = {{TIME, Scanner::HourMeridiem},
                                                                {DATE, Scanner::MonthDay},
                                                                {DATE, Scanner::DayMonth},
                                                                {DATE, Scanner::SlashedDate},
                                                                {DATE, Scanner::WeekdayNextWeek},
                                                                {DATE, Scanner::Weekday},
                                                                {SHORT_TIME_24H, Scanner::ShortTime24h},
                                                                {DATE, Scanner::DayOfMonth},
                                                                {DATE, Scanner::Tomorrow},
                                                                {DATE, Scanner::Today},
                                                                {DATE, Scanner::Offset},
                                                                {DATE, Scanner::NextUnit},
                                                                {TIME, Scanner::NoonMidnight},
                                                                {TIME, Scanner::Time12h},
                                                                {TIME, Scanner::Time24h}};
constexpr std::pair<int, Scanner::Pattern> AFTER_CALENDAR[] = {
    {TO, Scanner::To}, {DESCRIPTION, Scanner::Description}, {WHITESPACE, Scanner::Whitespace}};

// In the order in which a DATE token's text is read: the first that covers all of it says what it is.
constexpr Scanner::Pattern DATE_PATTERNS[] = {
    Scanner::MonthDay, Scanner::DayMonth, Scanner::WeekdayNextWeek, Scanner::Weekday, Scanner::DayOfMonth,
    Scanner::Tomorrow, Scanner::Offset,   Scanner::NextUnit,        Scanner::Today,   Scanner::SlashedDate};

DateDescription offsetBy(int count, Scanner::Unit unit) {
    switch (unit) {
    case Scanner::Day:
        return DateDescription::dayOffset(count);
    case Scanner::Week:
        return DateDescription::dayOffset(7 * count);
    case Scanner::Month:
        return DateDescription::monthOffset(count);
    case Scanner::Year:
        return DateDescription::monthOffset(12 * count);
    }
    return DateDescription::dayOffset(count);
}

} // namespace

EnglishLexer::EnglishLexer(const QStringList& calendarNames) {
    setCalendarNames(calendarNames);
}

void EnglishLexer::setCalendarNames(const QStringList& names) {
    QStringList escaped;
    m_calendarStarts.reset();
    for (const QString& name : names) {
        // A name with a lone surrogate would make the whole pattern invalid and so hide every other name.
        if (name.isEmpty() || !name.isValidUtf16())
            continue;
        escaped.append(QRegularExpression::escape(name));
        const char16_t first = name[0].unicode();
        if (first < 128)
            m_calendarStarts.set(QChar::toLower(first));
        else if (first == 0x017F || first == 0x212A)
            m_calendarStarts.set(first == 0x017F ? 's' : 'k');
    }
    m_hasCalendarNames = !escaped.isEmpty();
    // \G anchors the search at the position it starts from, keeping the engine's compiled (JIT) form.
    m_calendar.setText(m_hasCalendarNames ? QStringLiteral("\\G(?i)(%1):?[ \t]*").arg(escaped.join(u'|'))
                                          : QString());
}

bool EnglishLexer::mayStartCalendarName(QChar c) const {
    return m_hasCalendarNames && (c.unicode() >= 128 || m_calendarStarts.test(QChar::toLower(c.unicode())));
}

Token EnglishLexer::scan() {
    const QString& text = string();
    const qsizetype start = position();
    // The patterns' engine matches nothing where broken UTF-16 follows, so neither does this lexer: such a
    // line goes to the definitions set on top, and without one no token is found.
    if (!isValidUtf16From(start))
        return Lexer::scan();
    const Scanner scanner(text, m_dayMonthOrder);
    Scanner::Captures captures;
    const auto first = [&](const auto& definitions) -> std::optional<Token> {
        for (const auto& [type, pattern] : definitions) {
            if (const qsizetype end = scanner.match(pattern, start, captures); end > start)
                return Token{type, QStringView(text).mid(start, end - start)};
        }
        return std::nullopt;
    };
    if (Scanner::mayStartDateOrTime(text[start])) {
        if (std::optional<Token> token = first(BEFORE_CALENDAR))
            return *token;
    }
    if (mayStartCalendarName(text[start])) {
        const QRegularExpressionMatch match = m_calendar.regex().match(text, start);
        if (match.hasMatch() && match.capturedLength() > 0)
            return Token{CALENDAR, tokenText(match)};
    }
    if (std::optional<Token> token = first(AFTER_CALENDAR))
        return *token;
    return Lexer::scan();
}

void EnglishLexer::stringChanged() {
    const QString& text = string();
    m_lastLoneSurrogate = -1;
    if (text.isValidUtf16())
        return;
    for (qsizetype i = 0; i < text.size(); ++i) {
        if (text[i].isHighSurrogate() && i + 1 < text.size() && text[i + 1].isLowSurrogate())
            ++i;
        else if (text[i].isSurrogate())
            m_lastLoneSurrogate = i;
    }
}

bool EnglishLexer::isValidUtf16From(qsizetype start) const {
    const QString& text = string();
    return start > m_lastLoneSurrogate && (start == text.size() || !text[start].isLowSurrogate());
}

std::optional<DateDescription> EnglishLexer::parseDATE(QStringView text) const {
    const Scanner scanner(text, m_dayMonthOrder);
    Scanner::Captures c;
    for (const Scanner::Pattern pattern : DATE_PATTERNS) {
        if (scanner.match(pattern, 0, c) != text.size())
            continue;
        switch (pattern) {
        case Scanner::MonthDay:
        case Scanner::DayMonth:
        case Scanner::SlashedDate:
            return DateDescription::absolute(c.month, c.day);
        case Scanner::WeekdayNextWeek:
            return DateDescription::dayOfWeekNextWeek(c.weekday);
        case Scanner::Weekday:
            return DateDescription::dayOfWeek(c.weekday);
        case Scanner::DayOfMonth:
            return DateDescription::dayOfMonth(c.day);
        case Scanner::Tomorrow:
            return DateDescription::dayOffset(1);
        case Scanner::Offset:
            // A count too large for the calendar's arithmetic names no date.
            if (c.count > 1000000)
                return std::nullopt;
            return offsetBy(c.count, c.unit);
        case Scanner::NextUnit:
            return offsetBy(1, c.unit);
        default:
            return DateDescription::dayOffset(0);
        }
    }
    return std::nullopt;
}

TimeOfDay EnglishLexer::parseTIME(QStringView text) const {
    Scanner::Captures captures;
    if (Scanner(text, m_dayMonthOrder).match(Scanner::ShortTime24h, 0, captures) == text.size())
        return TimeOfDay{captures.hour, 0, 0};
    const std::optional<TimeOfDay> time = TimeOfDayReader::read(text);
    VL_ASSERT(time.has_value(), QStringLiteral("time not readable from %1").arg(text));
    return *time;
}

QString EnglishLexer::parseCALENDAR(QStringView text) const {
    const QRegularExpressionMatch match = m_calendar.regex().match(text);
    VL_ASSERT(match.hasMatch(), QStringLiteral("name not captured from %1").arg(text));
    return match.captured(1);
}
