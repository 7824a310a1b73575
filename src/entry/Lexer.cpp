#include "Lexer.h"

#include "LexerException.h"

#include <algorithm>

void Lexer::setString(const QString& text) {
    if (text != m_string) {
        m_string = text;
        m_lineTokens.clear();
    }
    m_start = 0;
    m_nextLineToken = 0;
    m_rememberingTokens = true;
}

void Lexer::setToken(int type, std::shared_ptr<const RegexPattern> pattern) {
    m_definitions.push_back({type, std::move(pattern)});
    m_lineTokens.clear();
    m_rememberingTokens = m_nextLineToken == 0;
}

Token Lexer::nextToken() {
    if (isEndOfStream())
        return Token{EosType, QString()};
    const std::uint64_t revision = definitionsRevision();
    if (revision != m_lineTokensRevision) {
        m_lineTokens.clear();
        m_lineTokensRevision = revision;
        // Tokens are remembered only while they follow on from the beginning of the line.
        m_rememberingTokens = m_nextLineToken == 0;
    }
    Token token;
    if (m_rememberingTokens && m_nextLineToken < m_lineTokens.size()) {
        token = m_lineTokens[m_nextLineToken];
    } else {
        token = scan();
        if (m_rememberingTokens)
            m_lineTokens.push_back(token);
    }
    ++m_nextLineToken;
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
    const QRegularExpressionMatch match =
        m_combined.match(m_string, m_start, QRegularExpression::NormalMatch,
                         QRegularExpression::AnchorAtOffsetMatchOption);
    // An empty match means some definition matched only the empty string here; such a definition is
    // skipped, and the definitions after it are tried one by one.
    if (!match.hasMatch() || match.capturedLength() == 0)
        return std::nullopt;
    for (std::size_t i = 0; i < m_definitions.size(); ++i) {
        if (match.capturedStart(m_combinedGroups[i]) >= 0)
            return Token{m_definitions[i].type, match.captured(0)};
    }
    return std::nullopt;
}

Token Lexer::scanEachDefinition() {
    for (const Definition& definition : m_definitions) {
        const QRegularExpressionMatch match =
            definition.pattern->regex().match(m_string, m_start, QRegularExpression::NormalMatch,
                                              QRegularExpression::AnchorAtOffsetMatchOption);
        if (match.hasMatch() && match.capturedLength() > 0)
            return Token{definition.type, match.captured(0)};
    }
    throw LexerException("No matching token found");
}

namespace {

// The pattern with its named groups turned into plain ones: names may repeat across definitions, which
// one alternation cannot hold.
QString withoutGroupNames(const QString& pattern) {
    QString result;
    result.reserve(pattern.size());
    bool inClass = false;
    for (qsizetype i = 0; i < pattern.size(); ++i) {
        const QChar c = pattern[i];
        if (c == u'\\' && i + 1 < pattern.size()) {
            result += c;
            result += pattern[++i];
            continue;
        }
        if (inClass) {
            inClass = c != u']';
        } else if (c == u'[') {
            inClass = true;
        } else if (c == u'(' && pattern.mid(i + 1, 2) == u"?<" && i + 3 < pattern.size() && pattern[i + 3].isLetter()) {
            const qsizetype close = pattern.indexOf(u'>', i + 3);
            if (close > 0) {
                result += QStringLiteral("(?:");
                i = close;
                continue;
            }
        }
        result += c;
    }
    return result;
}

} // namespace

void Lexer::rebuildCombined() {
    QString alternation = QStringLiteral("(?:");
    for (std::size_t i = 0; i < m_definitions.size(); ++i) {
        if (i > 0)
            alternation += u'|';
        alternation += QStringLiteral("(?<vldef%1>%2)").arg(i).arg(withoutGroupNames(m_definitions[i].pattern->text()));
    }
    alternation += u')';
    m_combined.setPattern(alternation);
    m_combined.optimize();
    m_combinedGroups.clear();
    const QStringList names = m_combined.namedCaptureGroups();
    for (std::size_t i = 0; i < m_definitions.size(); ++i)
        m_combinedGroups.push_back(int(names.indexOf(QStringLiteral("vldef%1").arg(i))));
    // A definition whose pattern cannot stand inside the alternation (an invalid one, say) rules the
    // combined search out; each definition is then tried on its own.
    if (std::find(m_combinedGroups.begin(), m_combinedGroups.end(), -1) != m_combinedGroups.end())
        m_combined.setPattern(QStringLiteral("("));
    m_combinedRevision = definitionsRevision();
}
