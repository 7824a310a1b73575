#include "EntryTestSupport.h"

#include "entry/EnglishLexer.h"

#include <gtest/gtest.h>

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
        EXPECT_EQ(lexer.parseTIME(text), (TimeOfDay{hour, 0, 0})) << text;
}

} // namespace
