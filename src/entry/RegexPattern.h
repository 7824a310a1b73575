#pragma once

#include <QRegularExpression>
#include <QString>

#include <cstdint>

// A regular expression whose text may change while lexers use it. It is compiled once per text;
// `revision` changes with every new text so that users can tell when their derived state is stale.
class RegexPattern {
public:
    explicit RegexPattern(const QString& text = QString());

    void setText(const QString& text);
    const QString& text() const { return m_text; }
    // The text with every group made non-capturing, to stand in a larger pattern whose only captures
    // tell which of its parts matched.
    QString textWithoutCaptures() const;
    const QRegularExpression& regex() const { return m_regex; }
    std::uint64_t revision() const { return m_revision; }

private:
    QString m_text;
    QRegularExpression m_regex;
    std::uint64_t m_revision = 0;
};
