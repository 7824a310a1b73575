#pragma once

#include "RegexPattern.h"

#include <QRegularExpression>
#include <QString>

#include <cstdint>
#include <memory>
#include <optional>
#include <vector>

// Finds the first of an ordered list of patterns whose first match in a text covers all of the text:
// what trying each pattern in turn tells, found by one search of all of them. Patterns are held by
// reference and followed when their text changes.
class FirstFullMatch {
public:
    explicit FirstFullMatch(std::vector<std::shared_ptr<const RegexPattern>> patterns);

    // The index of that pattern, or -1 when none matches all of `text`.
    int find(const QString& text) const;
    // The match of `pattern` when it covers all of `text`.
    static std::optional<QRegularExpressionMatch> fullMatch(const RegexPattern& pattern, const QString& text);

private:
    std::uint64_t patternsRevision() const;
    void rebuild() const;

    std::vector<std::shared_ptr<const RegexPattern>> m_patterns;
    mutable QRegularExpression m_combined;
    mutable std::uint64_t m_combinedRevision = 0;
};
