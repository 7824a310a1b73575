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

QString RegexPattern::textWithoutCaptures() const {
    const QString& pattern = m_text;
    QString result;
    result.reserve(pattern.size() + 16);
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
        } else if (c == u'(') {
            const bool named =
                pattern.mid(i + 1, 2) == u"?<" && i + 3 < pattern.size() && pattern[i + 3].isLetter();
            const qsizetype close = named ? pattern.indexOf(u'>', i + 3) : -1;
            if (named && close > 0) {
                result += QStringLiteral("(?:");
                i = close;
                continue;
            }
            if (i + 1 < pattern.size() && pattern[i + 1] != u'?' && pattern[i + 1] != u'*') {
                result += QStringLiteral("(?:");
                continue;
            }
        }
        result += c;
    }
    return result;
}
