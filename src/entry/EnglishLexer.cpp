#include "EnglishLexer.h"

#include "base/InternalInconsistency.h"
#include "dates/TimeOfDayReader.h"

#include <QRegularExpressionMatch>

namespace {

const QStringList DAYS_OF_WEEK{"sunday", "monday", "tuesday", "wednesday", "thursday", "friday", "saturday"};
const QStringList DAYS_OF_WEEK3{"sun", "mon", "tue", "wed", "thu", "fri", "sat"};
const QStringList DAYS_OF_WEEK2{"su", "mo", "tu", "we", "th", "fr", "sa"};
const QStringList SHORT_MONTHS{"jan", "feb", "mar", "apr", "may", "jun",
                               "jul", "aug", "sep", "oct", "nov", "dec"};
const QStringList LONG_MONTHS{"january", "february", "march",     "april",   "may",      "june",
                              "july",    "august",   "september", "october", "november", "december"};

#define WEEKDAY_GROUPS                                                                                       \
    "(?<dayofweek>sunday|monday|tuesday|wednesday|thursday|friday|saturday)|"                                \
    "(?<dayofweek3>sun|mon|tue|wed|thu|fri|sat)|(?<dayofweek2>su|mo|tu|we|th|fr|sa)"
#define MONTH_GROUPS                                                                                         \
    "(?<shortMonth>jan|feb|mar|apr|may|jun|jul|aug|sep|oct|nov|dec)|"                                        \
    "(?<longMonth>january|february|march|april|june|july|august|september|october|november|december)"
#define DAY_OF_MONTH "(?<dayofmonth>[1-9]|[12][0-9]|3[01])(?!:)(nd|th|rd|st)?"

// The fixed patterns, compiled once and shared by every lexer.
struct Patterns {
    std::shared_ptr<RegexPattern> make(const char* text) { return std::make_shared<RegexPattern>(text); }

    std::shared_ptr<RegexPattern> hourMeridiem =
        make(R"((?i)(at +)?(1[0-9]|0?[0-9]) *(am\b|pm\b|a\.m\.|p\.m\.) *)");
    std::shared_ptr<RegexPattern> monthDay =
        make("(?i)((" WEEKDAY_GROUPS ") +)?(" MONTH_GROUPS ")([ \t]+(" DAY_OF_MONTH "))?\\b *");
    std::shared_ptr<RegexPattern> dayMonth =
        make("(?i)((" WEEKDAY_GROUPS ") +)?(" DAY_OF_MONTH ")[ \t]+(" MONTH_GROUPS ")\\b *");
    std::shared_ptr<RegexPattern> weekdayNextWeek = make("(?i)(" WEEKDAY_GROUPS ") +next +week\\b *");
    std::shared_ptr<RegexPattern> weekday = make("(?i)(" WEEKDAY_GROUPS ")\\b *");
    std::shared_ptr<RegexPattern> shortTime24h = make(R"((?i)(at +)?(2[0-3]|1[0-9]|0?[0-9])(?!:)\b *)");
    std::shared_ptr<RegexPattern> dayOfMonth = make("(?i)(" DAY_OF_MONTH ")\\b *");
    std::shared_ptr<RegexPattern> tomorrow = make(R"((?i)tomorrow\b *)");
    std::shared_ptr<RegexPattern> today = make(R"((?i)today\b *)");
    std::shared_ptr<RegexPattern> offset =
        make(R"((?i)\+[ \t]*(?<offset>[1-9][0-9]*)[ \t]*(?<type>day|week|month|year)s?\b *)");
    std::shared_ptr<RegexPattern> nextUnit = make(R"((?i)next +(?<type>day|week|month|year)\b *)");
    std::shared_ptr<RegexPattern> noonMidnight = make(R"((?i)(at +)?(noon|midnight)\b *)");
    std::shared_ptr<RegexPattern> time12h =
        make(R"((?i)(at +)?(1[0-9]|0?[0-9])(:[0-5][0-9]){1,2} *(am\b|pm\b|a\.m\.|p\.m\.) *)");
    std::shared_ptr<RegexPattern> time24h =
        make(R"((?i)(at +)?(2[0-3]|1[0-9]|0?[0-9])(:[0-5][0-9]){1,2}(?!:)\b *)");
    std::shared_ptr<RegexPattern> to = make(R"((?i)(to\b|-) *)");
    std::shared_ptr<RegexPattern> description = make("[^ \t].*");
    std::shared_ptr<RegexPattern> whitespace = make("[ \t]+");
};

const Patterns& patterns() {
    static const Patterns shared;
    return shared;
}

enum class Unit { Day, Week, Month, Year };

Unit dateComponentStringToType(const QString& text) {
    const QString unit = text.toCaseFolded();
    if (unit.startsWith(u"day"))
        return Unit::Day;
    if (unit.startsWith(u"week"))
        return Unit::Week;
    if (unit.startsWith(u"month"))
        return Unit::Month;
    VL_ASSERT(unit.startsWith(u"year"), QStringLiteral("unknown date unit %1").arg(text));
    return Unit::Year;
}

DateDescription offsetBy(int count, Unit unit) {
    switch (unit) {
    case Unit::Day:
        return DateDescription::dayOffset(count);
    case Unit::Week:
        return DateDescription::dayOffset(7 * count);
    case Unit::Month:
        return DateDescription::monthOffset(count);
    case Unit::Year:
        return DateDescription::monthOffset(12 * count);
    }
    return DateDescription::dayOffset(count);
}

} // namespace

EnglishLexer::EnglishLexer(const QStringList& calendarNames)
    : m_calendar(std::make_shared<RegexPattern>()),
      m_slashedMonthDayOrDayMonth(std::make_shared<RegexPattern>()),
      // In the order in which a DATE token's text is read: the first that covers all of it says what it is.
      m_datePatterns({patterns().monthDay, patterns().dayMonth, patterns().weekdayNextWeek,
                      patterns().weekday, patterns().dayOfMonth, patterns().tomorrow, patterns().offset,
                      patterns().nextUnit, patterns().today, m_slashedMonthDayOrDayMonth}) {
    setCalendarNames(calendarNames);
    setDayMonthOrder(0);
    const Patterns& p = patterns();
    setToken(TIME, p.hourMeridiem);
    setToken(DATE, p.monthDay);
    setToken(DATE, p.dayMonth);
    setToken(DATE, m_slashedMonthDayOrDayMonth);
    setToken(DATE, p.weekdayNextWeek);
    setToken(DATE, p.weekday);
    setToken(SHORT_TIME_24H, p.shortTime24h);
    setToken(DATE, p.dayOfMonth);
    setToken(DATE, p.tomorrow);
    setToken(DATE, p.today);
    setToken(DATE, p.offset);
    setToken(DATE, p.nextUnit);
    setToken(TIME, p.noonMidnight);
    setToken(TIME, p.time12h);
    setToken(TIME, p.time24h);
    setToken(CALENDAR, m_calendar);
    setToken(TO, p.to);
    setToken(DESCRIPTION, p.description);
    setToken(WHITESPACE, p.whitespace);
}

void EnglishLexer::setCalendarNames(const QStringList& names) {
    QStringList escaped;
    for (const QString& name : names) {
        // A name with a lone surrogate would make the whole pattern invalid and so hide every other name.
        if (!name.isEmpty() && name.isValidUtf16())
            escaped.append(QRegularExpression::escape(name));
    }
    // "$^" can only match an empty text, and empty matches yield no token: no calendar is ever lexed.
    m_calendar->setText(escaped.isEmpty() ? QStringLiteral("$^")
                                          : QStringLiteral("(?i)(%1):?[ \t]*").arg(escaped.join(u'|')));
}

void EnglishLexer::setDayMonthOrder(int order) {
    m_dayMonthOrder = order;
    m_slashedMonthDayOrDayMonth->setText(
        order == 1 ? QStringLiteral(R"((?i)(?<month>1[0-2]|0?[1-9])/(?<day>0?[1-9]|[12][0-9]|3[01])\b *)")
                   : QStringLiteral(R"((?i)(?<day>0?[1-9]|[12][0-9]|3[01])/(?<month>1[0-2]|0?[1-9])\b *)"));
}

std::optional<DateDescription> EnglishLexer::parseDATE(const QString& text) const {
    const Patterns& p = patterns();
    switch (m_datePatterns.find(text)) {
    case 0:
        return parseMonthDay(text, *p.monthDay);
    case 1:
        return parseMonthDay(text, *p.dayMonth);
    case 2:
        return DateDescription::dayOfWeekNextWeek(indexOfDayOfWeek(text));
    case 3:
        return DateDescription::dayOfWeek(indexOfDayOfWeek(text));
    case 4:
        return DateDescription::dayOfMonth(
            FirstFullMatch::fullMatch(*p.dayOfMonth, text).value().captured(u"dayofmonth").toInt());
    case 5:
        return DateDescription::dayOffset(1);
    case 6: {
        const QRegularExpressionMatch match = FirstFullMatch::fullMatch(*p.offset, text).value();
        bool ok = false;
        const int count = match.captured(u"offset").toInt(&ok);
        // A count too large for the calendar's arithmetic names no date.
        if (!ok || count > 1000000)
            return std::nullopt;
        return offsetBy(count, dateComponentStringToType(match.captured(u"type")));
    }
    case 7:
        return offsetBy(1, dateComponentStringToType(
                               FirstFullMatch::fullMatch(*p.nextUnit, text).value().captured(u"type")));
    case 8:
        return DateDescription::dayOffset(0);
    case 9:
        return parseSlashedMonthDayOrDayMonth(text);
    default:
        return std::nullopt;
    }
}

DateDescription EnglishLexer::parseMonthDay(const QString& text, const RegexPattern& pattern) const {
    const QRegularExpressionMatch match = pattern.regex().match(text);
    const QString dayText = match.captured(u"dayofmonth");
    const int day = dayText.isEmpty() ? 1 : dayText.toInt();
    // Folded rather than lower-cased: the patterns ignore case as folding does, so a long s (U+017F) that
    // they accept for "s" must also be found in the word lists.
    const QString shortMonth = match.captured(u"shortMonth").toCaseFolded();
    if (!shortMonth.isEmpty())
        return DateDescription::absolute(int(SHORT_MONTHS.indexOf(shortMonth)), day);
    const QString longMonth = match.captured(u"longMonth").toCaseFolded();
    VL_ASSERT(!longMonth.isEmpty(), "short month or long month");
    return DateDescription::absolute(int(LONG_MONTHS.indexOf(longMonth)), day);
}

DateDescription EnglishLexer::parseSlashedMonthDayOrDayMonth(const QString& text) const {
    const QRegularExpressionMatch match = m_slashedMonthDayOrDayMonth->regex().match(text);
    const int day = match.captured(u"day").toInt();
    const int month = match.captured(u"month").toInt();
    VL_ASSERT(day != 0 && month != 0, "day and month captured");
    return DateDescription::absolute(month - 1, day);
}

int EnglishLexer::indexOfDayOfWeek(const QString& text) const {
    const QRegularExpressionMatch match = patterns().weekday->regex().match(text);
    const std::pair<const char16_t*, const QStringList*> groups[] = {
        {u"dayofweek", &DAYS_OF_WEEK}, {u"dayofweek3", &DAYS_OF_WEEK3}, {u"dayofweek2", &DAYS_OF_WEEK2}};
    for (const auto& [group, names] : groups) {
        const QString captured = match.captured(QStringView(group));
        if (!captured.isEmpty())
            return int(names->indexOf(captured.toCaseFolded()));
    }
    VL_ASSERT(false, "logical error");
    return 0;
}

TimeOfDay EnglishLexer::parseTIME(const QString& text) const {
    if (const auto match = FirstFullMatch::fullMatch(*patterns().shortTime24h, text))
        return TimeOfDay{match->captured(2).toInt(), 0, 0};
    const std::optional<TimeOfDay> time = TimeOfDayReader::read(text);
    VL_ASSERT(time.has_value(), QStringLiteral("time not readable from %1").arg(text));
    return *time;
}

QString EnglishLexer::parseCALENDAR(const QString& text) const {
    const QRegularExpressionMatch match = m_calendar->regex().match(text);
    VL_ASSERT(match.hasMatch(), QStringLiteral("name not captured from %1").arg(text));
    return match.captured(1);
}
