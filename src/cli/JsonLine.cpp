#include "JsonLine.h"

#include "base/VisibleText.h"

#include <array>

namespace {

constexpr char HEX[] = "0123456789abcdef";

// The ASCII characters JSON takes as they are: printable ones but the quote and the backslash.
constexpr auto PLAIN = [] {
    std::array<bool, 128> plain{};
    for (int c = 0x20; c < 0x7F; ++c)
        plain[size_t(c)] = c != '"' && c != '\\';
    return plain;
}();

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
        // Printable ASCII but the quote and the backslash, most of every value, is copied in a run at a
        // time into room for the rest of the text, which is then cut back to the run.
        if (chars[i] < 0x80 && PLAIN[chars[i]]) {
            const size_t start = m_text.size();
            m_text.resize(start + size_t(size - i));
            char* const out = m_text.data() + start;
            qsizetype run = 0;
            do
                out[run] = char(chars[i + run]);
            while (++run < size - i && chars[i + run] < 0x80 && PLAIN[chars[i + run]]);
            m_text.resize(start + size_t(run));
            i += run - 1;
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
