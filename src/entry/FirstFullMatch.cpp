#include "FirstFullMatch.h"

#include <algorithm>

FirstFullMatch::FirstFullMatch(std::vector<std::shared_ptr<const RegexPattern>> patterns)
    : m_patterns(std::move(patterns)) {}

std::optional<QRegularExpressionMatch> FirstFullMatch::fullMatch(const RegexPattern& pattern,
                                                                 const QString& text) {
    QRegularExpressionMatch match = pattern.regex().match(text);
    if (match.hasMatch() && match.capturedLength() == text.size())
        return match;
    return std::nullopt;
}

int FirstFullMatch::find(const QString& text) const {
    if (m_combinedRevision != patternsRevision())
        rebuild();
    if (m_combined.isValid() && !text.isEmpty()) {
        // Only the alternative that matched has its group set, and it is the last one captured.
        const QRegularExpressionMatch match = m_combined.match(text);
        return match.hasMatch() ? match.lastCapturedIndex() - 1 : -1;
    }
    for (std::size_t i = 0; i < m_patterns.size(); ++i) {
        if (fullMatch(*m_patterns[i], text))
            return int(i);
    }
    return -1;
}

std::uint64_t FirstFullMatch::patternsRevision() const {
    std::uint64_t revision = 0;
    for (const auto& pattern : m_patterns)
        revision = std::max(revision, pattern->revision());
    return revision;
}

void FirstFullMatch::rebuild() const {
    // A pattern's first match is the one it would find at the start, so each stands in an atomic group:
    // once it has matched, it is not tried again for a longer match that the end of the text would need.
    // The match must start at the beginning, as a match found later is shorter than the text.
    QString alternation = QStringLiteral("\\A(?:");
    for (std::size_t i = 0; i < m_patterns.size(); ++i) {
        if (i > 0)
            alternation += u'|';
        alternation += QStringLiteral("((?>%1)\\z)").arg(m_patterns[i]->textWithoutCaptures());
    }
    alternation += u')';
    m_combined.setPatternOptions(QRegularExpression::UseUnicodePropertiesOption);
    m_combined.setPattern(alternation);
    m_combined.optimize();
    const bool allValid = std::all_of(m_patterns.begin(), m_patterns.end(),
                                      [](const auto& pattern) { return pattern->regex().isValid(); });
    // Otherwise the patterns are tried one by one.
    if (!allValid || m_combined.captureCount() != int(m_patterns.size()))
        m_combined.setPattern(QStringLiteral("("));
    m_combinedRevision = patternsRevision();
}
