#include "EntryTestSupport.h"

#include "entry/EnglishLexer.h"
#include "entry/LexerException.h"

#include <gtest/gtest.h>

namespace {

using entrytest::tokens;

std::shared_ptr<RegexPattern> pattern(const char* text) {
    return std::make_shared<RegexPattern>(QString::fromLatin1(text));
}

TEST(Lexer, EndOfStreamAtOnceForEmptyTextAndRepeatedlyAfterTheLastToken) {
    Lexer lexer;
    lexer.setToken(DESCRIPTION, pattern("[a-z]"));
    lexer.setString(QString());
    EXPECT_TRUE(lexer.isEndOfStream());
    EXPECT_EQ(lexer.nextToken().type, 65535);
    lexer.setString("a");
    EXPECT_EQ(lexer.nextToken().string, "a");
    for (int i = 0; i < 2; ++i) {
        const Token token = lexer.nextToken();
        EXPECT_EQ(token.type, EosType);
        EXPECT_TRUE(token.string.isEmpty());
    }
}

TEST(Lexer, FirstDefinitionWithANonEmptyMatchAtThePositionWins) {
    struct Case {
        const char* name;
        std::vector<std::pair<int, const char*>> definitions;
        const char* text;
        const char* expected;
    };
    const Case cases[] = {
        {"earlier beats a longer later one", {{DATE, "a"}, {TIME, "ab"}, {TO, "."}}, "ab", "DATE[a] TO[b]"},
        {"empty match skipped", {{DATE, "x*"}, {TIME, "[a-z]"}}, "ab", "TIME[a] TIME[b]"},
        {"later empty match skipped", {{DATE, "q"}, {TIME, "x*"}, {TO, "."}}, "a", "TO[a]"},
        {"match further on not taken", {{DATE, "b"}, {TIME, "."}}, "ab", "TIME[a] DATE[b]"},
    };
    for (const Case& c : cases) {
        Lexer lexer;
        for (const auto& [type, text] : c.definitions)
            lexer.setToken(type, pattern(text));
        EXPECT_EQ(tokens(lexer, c.text), c.expected) << c.name;
    }
}

TEST(Lexer, RaisesWhenNoDefinitionMatches) {
    Lexer lexer;
    lexer.setToken(DATE, pattern("a"));
    lexer.setToken(TIME, pattern("z*"));
    lexer.setString("ab");
    EXPECT_EQ(lexer.nextToken().string, "a");
    EXPECT_THROW(lexer.nextToken(), LexerException);
}

TEST(Lexer, SetStringStartsOverAndDefinitionsFollowTheirPatterns) {
    auto live = pattern("[0-9]+");
    Lexer lexer;
    lexer.setToken(DATE, live);
    lexer.setToken(DESCRIPTION, pattern("[a-z]+"));
    lexer.setString("12ab");
    EXPECT_EQ(lexer.nextToken().type, DATE);
    EXPECT_EQ(tokens(lexer, "cd34"), "DESCRIPTION[cd] DATE[34]");
    live->setText("[a-z]");
    EXPECT_EQ(tokens(lexer, "cd"), "DATE[c] DATE[d]");
}

TEST(RegexPattern, FullyMatchesOnlyWhenTheFirstMatchCoversTheText) {
    const std::tuple<const char*, const char*, bool> cases[] = {
        {"a|ab", "ab", false}, // the first alternative wins with a shorter match
        {"ab|a", "ab", true},  {"b", "ab", false}, {"a", "aa", false}, {"x", "", true}, {"$^", "", true},
    };
    for (const auto& [regex, subject, full] : cases)
        EXPECT_EQ(RegexPattern(regex).fullyMatches(subject), full) << regex << " on \"" << subject << '"';
}

// One search over all definitions at once must cut every line as trying them one by one does. A broken
// definition appended at the end never matches, but forces the one-by-one path.
TEST(Lexer, CombinedSearchCutsLinesAsTryingEachDefinition) {
    for (const int order : {0, 1}) {
        EnglishLexer combined(entrytest::sampleCalendars);
        EnglishLexer oneByOne(entrytest::sampleCalendars);
        oneByOne.setToken(DESCRIPTION, std::make_shared<RegexPattern>("("));
        combined.setDayMonthOrder(order);
        oneByOne.setDayMonthOrder(order);
        for (const QString& line : entrytest::sampleLines)
            EXPECT_EQ(tokens(combined, line), tokens(oneByOne, line))
                << line.toStdString() << ", order " << order;
    }
}

} // namespace
