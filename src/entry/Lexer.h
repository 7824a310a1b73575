#pragma once

#include "RegexPattern.h"
#include "Token.h"

#include <QRegularExpression>
#include <QString>

#include <cstdint>
#include <memory>
#include <optional>
#include <vector>

// Cuts a text into tokens with an ordered list of definitions (a token type and a pattern): at the
// current position the first definition whose pattern matches there with a non-empty match wins.
// Patterns are held by reference, so a definition follows its pattern when the pattern's text changes.
class Lexer {
public:
    Lexer() = default;
    virtual ~Lexer() = default;
    Lexer(const Lexer&) = delete;
    Lexer& operator=(const Lexer&) = delete;

    // Starts over at the beginning of `text`; the definitions are kept.
    void setString(const QString& text);
    const QString& string() const { return m_string; }
    // Appends a definition; it is tried after all earlier ones.
    void setToken(int type, std::shared_ptr<const RegexPattern> pattern);
    // The next token, or an EosType token with empty text once the text is used up.
    // Throws LexerException "No matching token found" when no definition matches.
    Token nextToken();
    bool isEndOfStream() const { return m_start == m_string.size(); }
    // Where the next token starts.
    qsizetype position() const { return m_start; }

protected:
    // The token at the current position, by the definitions; a lexer that reads its own words first
    // overrides it.
    virtual Token scan();
    // Called once `string()` holds a new text, before its first token is read.
    virtual void stringChanged() {}
    // The part of `string()` that `match`, a match in it, covers.
    QStringView tokenText(const QRegularExpressionMatch& match) const;

private:
    struct Definition {
        int type;
        std::shared_ptr<const RegexPattern> pattern;
    };

    std::uint64_t definitionsRevision() const;
    std::optional<Token> scanCombined();
    Token scanEachDefinition();
    void rebuildCombined();

    QString m_string;
    qsizetype m_start = 0;
    std::vector<Definition> m_definitions;

    // All definitions as one alternation, so that a token costs one search instead of one per definition.
    QRegularExpression m_combined;
    std::uint64_t m_combinedRevision = 0;
};
