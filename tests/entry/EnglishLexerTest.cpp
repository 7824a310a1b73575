#include "EntryTestSupport.h"

#include "entry/EnglishLexer.h"

#include <gtest/gtest.h>

namespace {

using entrytest::tokens;

TEST(EnglishLexer, CutsDatesTimesAndSeparators) {
    const std::pair<const char*, const char*> cases[] = {
        {"Dec 25th x", "DATE[Dec 25th ] DESCRIPTION[x]"},
        {"dec 5:30", "DATE[dec ] TIME[5:30]"},
        {"sept 5", "DESCRIPTION[sept 5]"},
        {"13/25", "SHORT_TIME_24H[13] DESCRIPTION[/25]"},
        {"fri next week", "DATE[fri next week]"},
        {"at 9 x", "SHORT_TIME_24H[at 9 ] DESCRIPTION[x]"},
        {"23 24", "SHORT_TIME_24H[23 ] DATE[24]"},
        {"5th 31 32", "DATE[5th ] DATE[31 ] DESCRIPTION[32]"},
        {"at 9pm", "TIME[at 9pm]"},
        {"21:00 to 9 p.m.", "TIME[21:00 ] TO[to ] TIME[9 p.m.]"},
        {"at noon - midnight", "TIME[at noon ] TO[- ] TIME[midnight]"},
        {"+2 weeks +0 days", "DATE[+2 weeks ] DESCRIPTION[+0 days]"},
        {"tonight", "DESCRIPTION[tonight]"},
        {"tomorrow today", "DATE[tomorrow ] DATE[today]"},
        {"fri\tx", "DATE[fri] WHITESPACE[\\t] DESCRIPTION[x]"},
        // Words of other languages are not read as weekdays or months for their first letters.
        {"Frühstück mit Anna", "DESCRIPTION[Frühstück mit Anna]"},
        {"Thé dansant", "DESCRIPTION[Thé dansant]"},
        {"Março", "DESCRIPTION[Março]"},
    };
    EnglishLexer lexer;
    for (const auto& [text, expected] : cases)
        EXPECT_EQ(tokens(lexer, text), expected) << text;
}

TEST(EnglishLexer, CalendarNamesStartALine) {
    struct Case {
        const char* name;
        QStringList calendars;
        const char* text;
        const char* expected;
    };
    const Case cases[] = {
        {"name with colon", {"Home", "Work"}, "work: fri", "CALENDAR[work: ] DATE[fri]"},
        {"no word boundary needed", {"Home", "Work"}, "Workshop fri", "CALENDAR[Work] DESCRIPTION[shop fri]"},
        {"earlier name wins", {"Work", "Workshop"}, "workshop: x", "CALENDAR[work] DESCRIPTION[shop: x]"},
        {"longer name listed first",
         {"Workshop", "Work"},
         "workshop: x",
         "CALENDAR[workshop: ] DESCRIPTION[x]"},
        {"date word beats calendar", {"Today"}, "today: x", "DATE[today] DESCRIPTION[: x]"},
        {"no calendars", {}, "work: fri", "DESCRIPTION[work: fri]"},
        {"empty name left out", {"", "Home"}, ": x", "DESCRIPTION[: x]"},
        {"plus signs literal", {"C++"}, "c++: x", "CALENDAR[c++: ] DESCRIPTION[x]"},
        {"plus signs not repetition", {"C++"}, "cc x", "DESCRIPTION[cc x]"},
        {"parentheses literal", {"(work)"}, "(work) fri", "CALENDAR[(work) ] DATE[fri]"},
        {"parentheses not a group", {"(work)"}, "work fri", "DESCRIPTION[work fri]"},
        {"bar not alternation", {"a|b"}, "a x", "DESCRIPTION[a x]"},
        {"unclosed bracket", {"[x", "Home"}, "[x: mon", "CALENDAR[[x: ] DATE[mon]"},
        {"broken UTF-16 name hides no other",
         {QString("B") + QChar(0xD800), "Work"},
         "work: x",
         "CALENDAR[work: ] DESCRIPTION[x]"},
    };
    for (const Case& c : cases) {
        EnglishLexer lexer(c.calendars);
        EXPECT_EQ(tokens(lexer, c.text), c.expected) << c.name;
    }
    EXPECT_EQ(EnglishLexer({"(work)"}).parseCALENDAR("(Work)\t"), "(Work)");
}

TEST(EnglishLexer, LiveChangesApplyToTheSameLexer) {
    EnglishLexer lexer;
    EXPECT_EQ(tokens(lexer, "work: 13/4"), "DESCRIPTION[work: 13/4]");
    lexer.setCalendarNames({"Work"});
    EXPECT_EQ(tokens(lexer, "work: 13/4"), "CALENDAR[work: ] DATE[13/4]");
    lexer.setDayMonthOrder(1);
    EXPECT_EQ(tokens(lexer, "work: 13/4"), "CALENDAR[work: ] SHORT_TIME_24H[13] DESCRIPTION[/4]");
    EXPECT_EQ(lexer.parseDATE("3/4"), DateDescription::absolute(2, 4));
    lexer.setCalendarNames({});
    EXPECT_EQ(tokens(lexer, "work: 4/13"), "DESCRIPTION[work: 4/13]");
}

TEST(EnglishLexer, DateValues) {
    const std::pair<const char*, std::optional<DateDescription>> cases[] = {
        {"Dec 25th", DateDescription::absolute(11, 25)},
        {"25 december", DateDescription::absolute(11, 25)},
        {"sunday dec 25", DateDescription::absolute(11, 25)},
        {"SUN 25 Dec", DateDescription::absolute(11, 25)},
        {"march", DateDescription::absolute(2, 1)},
        {"3/4", DateDescription::absolute(3, 3)},
        {"Thursday ", DateDescription::dayOfWeek(4)},
        {"sat next week", DateDescription::dayOfWeekNextWeek(6)},
        {"9 ", DateDescription::dayOfMonth(9)},
        {"31st", DateDescription::dayOfMonth(31)},
        {"tomorrow", DateDescription::dayOffset(1)},
        {"+2 weeks", DateDescription::dayOffset(14)},
        {"+ 3\tdays", DateDescription::dayOffset(3)},
        {"+1 Year", DateDescription::monthOffset(12)},
        {"next Month", DateDescription::monthOffset(1)},
        {"next week", DateDescription::dayOffset(7)},
        {"0", std::nullopt},
        {"at 9", std::nullopt},
        {"+99999999999 days", std::nullopt},
        // The long s (U+017F) matches "s" when case is ignored.
        {"\u017Fun", DateDescription::dayOfWeek(0)},
        {"\u017Fep 5", DateDescription::absolute(8, 5)},
    };
    EnglishLexer lexer;
    for (const auto& [text, date] : cases)
        EXPECT_EQ(lexer.parseDATE(QString::fromUtf8(text)), date) << text;
}

// Bare hours are read here; the other forms go to the time reader, which has tests of its own.
TEST(EnglishLexer, TimeValues) {
    const std::pair<const char*, TimeOfDay> cases[] = {{"at 9", {9, 0, 0}},    {"17 ", {17, 0, 0}},
                                                       {"0", {0, 0, 0}},       {"at 9pm", {21, 0, 0}},
                                                       {"9 p.m.", {21, 0, 0}}, {"21:00", {21, 0, 0}}};
    EnglishLexer lexer;
    for (const auto& [text, time] : cases)
        EXPECT_EQ(lexer.parseTIME(text), time) << text;
}

} // namespace
