#include "EntryTestSupport.h"

#include "entry/EnglishLexer.h"

#include <gtest/gtest.h>

#include <random>

namespace {

using entrytest::tokens;

// Each case: the calendar names, a line, and its tokens.
TEST(EnglishLexer, CutsLines) {
    const std::tuple<QStringList, const char*, const char*> cases[] = {
        {{}, "Dec 25th x", "DATE[Dec 25th ] DESCRIPTION[x]"},
        {{}, "dec 5:30", "DATE[dec ] TIME[5:30]"},
        {{}, "sept 5", "DESCRIPTION[sept 5]"},
        {{}, "13/25", "SHORT_TIME_24H[13] DESCRIPTION[/25]"},
        {{}, "fri next week", "DATE[fri next week]"},
        {{}, "at 9 x", "SHORT_TIME_24H[at 9 ] DESCRIPTION[x]"},
        {{}, "23 24", "SHORT_TIME_24H[23 ] DATE[24]"},
        {{}, "5th 31 32", "DATE[5th ] DATE[31 ] DESCRIPTION[32]"},
        {{}, "21:00 to 9 p.m.", "TIME[21:00 ] TO[to ] TIME[9 p.m.]"},
        {{}, "at noon - midnight", "TIME[at noon ] TO[- ] TIME[midnight]"},
        {{}, "+2 weeks +0 days", "DATE[+2 weeks ] DESCRIPTION[+0 days]"},
        {{}, "tonight", "DESCRIPTION[tonight]"},
        {{}, "fri\tx", "DATE[fri] WHITESPACE[\\t] DESCRIPTION[x]"},
        // Words of other languages are not read as weekdays or months for their first letters.
        {{}, "Frühstück mit Anna", "DESCRIPTION[Frühstück mit Anna]"},
        {{"Home", "Work"}, "work: fri", "CALENDAR[work: ] DATE[fri]"},
        {{"Home", "Work"}, "Workshop fri", "CALENDAR[Work] DESCRIPTION[shop fri]"}, // no word boundary needed
        {{"Work", "Workshop"}, "workshop: x", "CALENDAR[work] DESCRIPTION[shop: x]"}, // the earlier name wins
        {{"Today"}, "today: x", "DATE[today] DESCRIPTION[: x]"},
        {{"", "Home"}, ": x", "DESCRIPTION[: x]"},
        // Names are literal text, not patterns.
        {{"C++"}, "c++: x", "CALENDAR[c++: ] DESCRIPTION[x]"},
        {{"(work)"}, "(work) fri", "CALENDAR[(work) ] DATE[fri]"},
        {{"[x", "Home"}, "[x: mon", "CALENDAR[[x: ] DATE[mon]"},
        // Broken UTF-16 in one name must not hide the others.
        {{QString("B") + QChar(0xD800), "Work"}, "work: x", "CALENDAR[work: ] DESCRIPTION[x]"},
    };
    for (const auto& [calendars, text, expected] : cases) {
        EnglishLexer lexer(calendars);
        EXPECT_EQ(tokens(lexer, text), expected) << text;
    }
    EnglishLexer lexer; // names and the order of day and month change a lexer already in use
    EXPECT_EQ(tokens(lexer, "work: 13/4"), "DESCRIPTION[work: 13/4]");
    lexer.setCalendarNames({"Work"});
    lexer.setDayMonthOrder(1);
    EXPECT_EQ(tokens(lexer, "work: 13/4"), "CALENDAR[work: ] SHORT_TIME_24H[13] DESCRIPTION[/4]");
}

// The long s (U+017F) matches "s" when case is ignored, and must be found in the word lists too.
TEST(EnglishLexer, DateAndTimeValues) {
    using D = DateDescription;
    const std::optional<D> none;
    // clang-format off
    const std::pair<const char*, std::optional<D>> dates[] = {
        {"Dec 25th", D::absolute(11, 25)}, {"25 december", D::absolute(11, 25)}, {"march", D::absolute(2, 1)},
        {"SUN 25 Dec", D::absolute(11, 25)}, {"3/4", D::absolute(3, 3)}, {"Thursday ", D::dayOfWeek(4)},
        {"sat next week", D::dayOfWeekNextWeek(6)}, {"tomorrow", D::dayOffset(1)},
        {"+ 3\tdays", D::dayOffset(3)}, {"+2 weeks", D::dayOffset(14)}, {"next Month", D::monthOffset(1)},
        {"+1 Year", D::monthOffset(12)}, {"0", none}, {"at 9", none}, {"+99999999999 days", none},
        {"\u017Fun", D::dayOfWeek(0)}, {"\u017Fep 5", D::absolute(8, 5)}, {"31st", D::dayOfMonth(31)}};
    // clang-format on
    EnglishLexer lexer;
    for (const auto& [text, date] : dates)
        EXPECT_EQ(lexer.parseDATE(QString::fromUtf8(text)), date) << text;
    // Bare hours are read here, the other forms by the time reader.
    const std::pair<const char*, int> hours[] = {{"at 9", 9}, {"0", 0}, {"at 9pm", 21}, {"21:00", 21}};
    for (const auto& [text, hour] : hours)
        EXPECT_EQ(lexer.parseTIME(QString::fromUtf8(text)), (TimeOfDay{hour, 0, 0})) << text;
}

// The lexer's definitions as regular expressions: the scanner must cut every line as they do with PCRE
// (first match, letters ignoring case as Unicode folds them, \b between word characters of any script).
// Lines are the sample lines and random ones made of the words, numbers and signs in the patterns.
TEST(EnglishLexer, CutsLinesAsItsRegularExpressions) {
    const QString weekday = "((sunday|monday|tuesday|wednesday|thursday|friday|saturday)|"
                            "(sun|mon|tue|wed|thu|fri|sat)|(su|mo|tu|we|th|fr|sa))";
    const QString month =
        "((jan|feb|mar|apr|may|jun|jul|aug|sep|oct|nov|dec)|"
        "(january|february|march|april|june|july|august|september|october|november|december))";
    const QString day = "(([1-9]|[12][0-9]|3[01])(?!:)(nd|th|rd|st)?)";
    const QString meridiem = R"((am\b|pm\b|a\.m\.|p\.m\.))", hour24 = "(at +)?(2[0-3]|1[0-9]|0?[0-9])";
    QStringList names;
    for (const QString& name : entrytest::sampleCalendars)
        names << QRegularExpression::escape(name);
    const auto definitions = [&](int order) -> std::vector<std::pair<int, QString>> {
        const QString monthNumber = "(1[0-2]|0?[1-9])", dayNumber = "(0?[1-9]|[12][0-9]|3[01])";
        return {
            {TIME, "(at +)?(1[0-9]|0?[0-9]) *" + meridiem + " *"},
            {DATE, "(" + weekday + " +)?" + month + "([ \t]+" + day + R"()?\b *)"},
            {DATE, "(" + weekday + " +)?" + day + "[ \t]+" + month + R"(\b *)"},
            {DATE, (order == 1 ? monthNumber + "/" + dayNumber : dayNumber + "/" + monthNumber) + R"(\b *)"},
            {DATE, weekday + R"( +next +week\b *)"},
            {DATE, weekday + R"(\b *)"},
            {SHORT_TIME_24H, hour24 + R"((?!:)\b *)"},
            {DATE, day + R"(\b *)"},
            {DATE, R"(tomorrow\b *)"},
            {DATE, R"(today\b *)"},
            {DATE, R"(\+[ \t]*([1-9][0-9]*)[ \t]*(day|week|month|year)s?\b *)"},
            {DATE, R"(next +(day|week|month|year)\b *)"},
            {TIME, R"((at +)?(noon|midnight)\b *)"},
            {TIME, "(at +)?(1[0-9]|0?[0-9])(:[0-5][0-9]){1,2} *" + meridiem + " *"},
            {TIME, hour24 + R"((:[0-5][0-9]){1,2}(?!:)\b *)"},
            {CALENDAR, "(" + names.join(u'|') + "):?[ \t]*"},
            {TO, R"((to\b|-) *)"},
            {DESCRIPTION, "[^ \t].*"},
            {WHITESPACE, "[ \t]+"}};
    };
    const QStringList pieces =
        QStringLiteral(
            "fri|Sat|sunday|MO|tu|wednesday|ſun|ſat|dec|December|jUNe|may|ſep|ſeptember|next|week|weeK|day|"
            "days|"
            "wee\u212A|month|years|+|+ "
            "3|+99999999999|tomorrow|today|at|noon|midnight|am|pm|a.m.|p.m.|to|-|:|/|0|00|05|1|"
            "9|12|13|19|20|23|24|29|30|31|32|1:30|9:15:30|12:60|23:59:|3/4|13/25|12/31|0/5|31/12|1st|2nd|3rd|"
            "4th|21st|5TH|home|work:|c++:|(work)|a|b|[x|_|9_|é|x\u0301|🎉|𝐀|\t|\n| |  ")
            .split(u'|');
    std::mt19937 random(20260610);
    QStringList lines = entrytest::sampleLines;
    for (int i = 0; i < 20000; ++i) {
        QString line;
        for (int words = int(random() % 7); words >= 0; --words)
            line += pieces[int(random() % pieces.size())] + (random() % 3 ? " " : "");
        lines << line;
    }
    for (const int order : {0, 1}) {
        EnglishLexer scanned(entrytest::sampleCalendars);
        scanned.setDayMonthOrder(order);
        Lexer matched;
        for (const auto& [type, pattern] : definitions(order))
            matched.setToken(type, std::make_shared<RegexPattern>("(?i)" + pattern));
        for (const QString& line : lines)
            ASSERT_EQ(tokens(scanned, line), tokens(matched, line))
                << line.toStdString() << ", order " << order;
    }
}

} // namespace
