#pragma once

#include "Lexer.h"
#include "ParseTreeNode.h"
#include "ParsingException.h"

#include <optional>

// Recursive-descent machinery over a lexer: one token of look-ahead, rules that raise ParsingException
// when they meet a token they cannot use, and `parse`, which turns that into an absent result.
class AbstractParser {
public:
    explicit AbstractParser(Lexer& lexer) : m_lexer(lexer) {}
    virtual ~AbstractParser() = default;

    Lexer& lexer() const { return m_lexer; }
    // Forgets the look-ahead; the next query reads a fresh token.
    void reset() { m_token.reset(); }

    template <typename Rule> std::optional<ParseTreeNode> parse(Rule rule) {
        try {
            return rule();
        } catch (const ParsingException&) {
            return std::nullopt;
        }
    }

protected:
    int tokenType();
    QStringView tokenString();
    void consume();
    bool isEndOfStream() { return tokenType() == EosType; }
    // The current token's text when it has `type`; raises "wrong token matched" otherwise.
    QStringView match(int type);
    // The current token's text, whatever its type but the end of the stream.
    QStringView matchAnyToken();

private:
    const Token& current();

    Lexer& m_lexer;
    std::optional<Token> m_token;
};
