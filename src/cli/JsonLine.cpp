#include "JsonLine.h"

#include "base/VisibleText.h"

#include <algorithm>

namespace {

constexpr char HEX[] = "0123456789abcdef";

// Appends the JSON form of one character that is not written as it is, or returns false for one that is.
bool appendEscaped(std::string& out, char32_t c) {
    switch (c) {
    case u'"':
        out += "\\\"";
        return true;
    case u'\\':
        out += "\\\\";
        return true;
    case u'\n':
        out += "\\n";
        return true;
    case u'\r':
        out += "\\r";
        return true;
    case u'\t':
        out += "\\t";
        return true;
    default:
        // Control characters, which JSON allows raw from DEL on but a terminal would act on, and the
        // separators that also break JavaScript readers: the value read back is the same.
        if (!VisibleText::isControl(c))
            return false;
        const char escape[] = {'\\', 'u', HEX[c >> 12], HEX[(c >> 8) & 15], HEX[(c >> 4) & 15], HEX[c & 15]};
        out.append(escape, sizeof escape);
        return true;
    }
}

} // namespace

JsonLine::JsonLine() {
    m_text.reserve(256);
    m_text += '{';
}

JsonLine& JsonLine::add(const char* key, const QString& value) {
    addKey(key);
    addQuoted(value);
    return *this;
}

JsonLine& JsonLine::add(const char* key, const std::optional<QString>& value) {
    addKey(key);
    if (value)
        addQuoted(*value);
    else
        m_text += "null";
    return *this;
}

JsonLine& JsonLine::add(const char* key, bool value) {
    addKey(key);
    m_text += value ? "true" : "false";
    return *this;
}

void JsonLine::addKey(const char* key) {
    if (m_text.size() > 1)
        m_text += ", ";
    m_text += '"';
    m_text += key;
    m_text += "\": ";
}

void JsonLine::addQuoted(const QString& text) {
    m_text += '"';
    // Written as UTF-8 character by character into the standard string: no conversion of the whole.
    const auto* const chars = reinterpret_cast<const char16_t*>(text.constData());
    const qsizetype size = text.size();
    for (qsizetype i = 0; i < size; ++i) {
        // Printable ASCII but the quote and the backslash, most of every value, goes in a run at a time.
        qsizetype plain = i;
        while (plain < size && chars[plain] >= 0x20 && chars[plain] < 0x7F && chars[plain] != u'"' &&
               chars[plain] != u'\\')
            ++plain;
        if (plain > i) {
            const size_t start = m_text.size();
            m_text.resize(start + size_t(plain - i));
            std::transform(chars + i, chars + plain, m_text.begin() + qsizetype(start),
                           [](char16_t c) { return char(c); });
            i = plain - 1;
            continue;
        }
        char32_t c = chars[i];
        if (c < 0x80) {
            if (!appendEscaped(m_text, c))
                m_text += char(c);
            continue;
        }
        if (QChar::isSurrogate(c)) {
            const bool pair =
                QChar::isHighSurrogate(c) && i + 1 < size && QChar::isLowSurrogate(chars[i + 1]);
            c = pair ? QChar::surrogateToUcs4(char16_t(c), chars[++i]) : char32_t(0xFFFD);
        }
        if (appendEscaped(m_text, c))
            continue;
        if (c < 0x800) {
            m_text += char(0xC0 | (c >> 6));
        } else if (c < 0x10000) {
            m_text += char(0xE0 | (c >> 12));
            m_text += char(0x80 | ((c >> 6) & 0x3F));
        } else {
            m_text += char(0xF0 | (c >> 18));
            m_text += char(0x80 | ((c >> 12) & 0x3F));
            m_text += char(0x80 | ((c >> 6) & 0x3F));
        }
        m_text += char(0x80 | (c & 0x3F));
    }
    m_text += '"';
}

QByteArray JsonLine::text() const {
    QByteArray line;
    line.reserve(qsizetype(m_text.size()) + 2);
    line.append(m_text.data(), qsizetype(m_text.size())).append("}\n", 2);
    return line;
}
