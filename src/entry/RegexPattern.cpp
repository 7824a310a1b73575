#include "RegexPattern.h"

namespace {
std::uint64_t g_nextRevision = 1;
}

RegexPattern::RegexPattern(const QString& text) {
    setText(text);
}

void RegexPattern::setText(const QString& text) {
    m_text = text;
    // Letters of every script are word characters, so that \b does not end "fri" inside "Frühstück".
    m_regex.setPatternOptions(QRegularExpression::UseUnicodePropertiesOption);
    m_regex.setPattern(text);
    m_regex.optimize();
    m_revision = g_nextRevision++;
}
