#include "JsonLine.h"

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
        // Control characters, and the two separators that break JavaScript readers.
        if (c >= 0x20 && c != 0x2028 && c != 0x2029)
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
    // ASCII goes out as it is; from the first other character on, the rest is converted to UTF-8 at once
    // and escaped byte by byte: the separators, the only escaped characters beyond ASCII, are E2 80 A8
    // and E2 80 A9 there.
    qsizetype i = 0;
    for (; i < text.size() && text[i].unicode() < 0x80; ++i) {
        if (!appendEscaped(m_text, text[i].unicode()))
            m_text += char(text[i].unicode());
    }
    if (i == text.size()) {
        m_text += '"';
        return;
    }
    const QByteArray utf8 = QStringView(text).mid(i).toUtf8();
    for (qsizetype j = 0; j < utf8.size(); ++j) {
        const auto c = static_cast<unsigned char>(utf8[j]);
        const bool separator = c == 0xE2 && j + 2 < utf8.size() && utf8[j + 1] == char(0x80) &&
                               (utf8[j + 2] == char(0xA8) || utf8[j + 2] == char(0xA9));
        if (separator) {
            appendEscaped(m_text, utf8[j + 2] == char(0xA8) ? 0x2028 : 0x2029);
            j += 2;
        } else if (c >= 0x80 || !appendEscaped(m_text, c)) {
            m_text += char(c);
        }
    }
    m_text += '"';
}

QByteArray JsonLine::text() const {
    QByteArray line;
    line.reserve(qsizetype(m_text.size()) + 2);
    line.append(m_text.data(), qsizetype(m_text.size())).append("}\n", 2);
    return line;
}
