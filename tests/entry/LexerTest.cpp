#include "EntryTestSupport.h"

#include "entry/EnglishLexer.h"
#include "entry/LexerException.h"

#include <gtest/gtest.h>

namespace {

using entrytest::tokens;

std::shared_ptr<RegexPattern> pattern(const char* text) {
    return std::make_shared<RegexPattern>(QString::fromLatin1(text));
}

TEST(Lexer, FirstDefinitionWithANonEmptyMatchAtThePositionWins) {
    const std::tuple<std::vector<std::pair<int, const char*>>, const char*, const char*> cases[] = {
        {{{DATE, "a"}, {TIME, "ab"}, {TO, "."}}, "ab", "DATE[a] TO[b]"}, // not the longest
        {{{DATE, "x*"}, {TIME, "[a-z]"}}, "ab", "TIME[a] TIME[b]"},      // not an empty one
        {{{DATE, "b"}, {TIME, "."}}, "ab", "TIME[a] DATE[b]"},           // not one further on
    };
    for (const auto& [definitions, text, expected] : cases) {
        Lexer lexer;
        for (const auto& [type, regex] : definitions)
            lexer.setToken(type, pattern(regex));
        lexer.setString(QString());
        EXPECT_TRUE(lexer.isEndOfStream());
        EXPECT_EQ(tokens(lexer, text), expected) << text;
        const Token again = lexer.nextToken(); // after the end, the end again
        EXPECT_EQ(again.type, EosType);
        EXPECT_TRUE(again.string.isEmpty());
    }
    Lexer stuck; // nothing matches at "a", though "b" would further on
    stuck.setToken(DATE, pattern("b"));
    EXPECT_THROW(tokens(stuck, "ab"), LexerException);
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
