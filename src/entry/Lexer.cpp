#include "Lexer.h"

#include "LexerException.h"

#include <algorithm>

void Lexer::setString(const QString& text) {
    m_string = text;
    m_start = 0;
    stringChanged();
}

void Lexer::setToken(int type, std::shared_ptr<const RegexPattern> pattern) {
    m_definitions.push_back({type, std::move(pattern)});
}

QStringView Lexer::tokenText(const QRegularExpressionMatch& match) const {
    return QStringView(m_string).mid(match.capturedStart(0), match.capturedLength(0));
}

Token Lexer::nextToken() {
    if (isEndOfStream())
        return Token{EosType, {}};
    Token token = scan();
    m_start += token.string.size();
    return token;
}

std::uint64_t Lexer::definitionsRevision() const {
    std::uint64_t revision = 0;
    for (const Definition& definition : m_definitions)
        revision = std::max(revision, definition.pattern->revision());
    return revision;
}

Token Lexer::scan() {
    if (std::optional<Token> token = scanCombined())
        return *token;
    return scanEachDefinition();
}

std::optional<Token> Lexer::scanCombined() {
    if (m_combinedRevision != definitionsRevision())
        rebuildCombined();
    if (!m_combined.isValid())
        return std::nullopt;
    const QRegularExpressionMatch match = m_combined.match(m_string, m_start);
    // An empty match means some definition matched only the empty string here; such a definition is
    // skipped, and the definitions after it are tried one by one.
    if (!match.hasMatch() || match.capturedLength() == 0)
        return std::nullopt;
    // Only the alternative that matched has its group set, and it is the last one captured.
    const int group = match.lastCapturedIndex();
    if (group < 1 || group > int(m_definitions.size()))
        return std::nullopt;
    return Token{m_definitions[std::size_t(group) - 1].type, tokenText(match)};
}

Token Lexer::scanEachDefinition() {
    for (const Definition& definition : m_definitions) {
        const QRegularExpressionMatch match =
            definition.pattern->regex().match(m_string, m_start, QRegularExpression::NormalMatch,
                                              QRegularExpression::AnchorAtOffsetMatchOption);
        if (match.hasMatch() && match.capturedLength() > 0)
            return Token{definition.type, tokenText(match)};
    }
    throw LexerException("No matching token found");
}

void Lexer::rebuildCombined() {
    // \G anchors each search at its start offset inside the pattern itself; anchoring by a match option
    // instead would keep the engine from using its compiled (JIT) form.
    QString alternation = QStringLiteral("\\G(?:");
    for (std::size_t i = 0; i < m_definitions.size(); ++i) {
        if (i > 0)
            alternation += u'|';
        alternation += u'(' + m_definitions[i].pattern->textWithoutCaptures() + u')';
    }
    alternation += u')';
    // The same options as each definition's own pattern (RegexPattern), so that both paths agree.
    m_combined.setPatternOptions(QRegularExpression::UseUnicodePropertiesOption);
    m_combined.setPattern(alternation);
    m_combined.optimize();
    // Should a definition's pattern be broken, or not stand inside the alternation as one group, the
    // definitions are tried one by one instead.
    const bool allValid = std::all_of(m_definitions.begin(), m_definitions.end(),
                                      [](const Definition& d) { return d.pattern->regex().isValid(); });
    if (!allValid || m_combined.captureCount() != int(m_definitions.size()))
        m_combined.setPattern(QStringLiteral("("));
    m_combinedRevision = definitionsRevision();
}
