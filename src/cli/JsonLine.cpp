#include "JsonLine.h"

namespace {

constexpr char HEX[] = "0123456789abcdef";

void appendEscape(QByteArray& out, char16_t c) {
    const char escape[] = {'\\', 'u', HEX[c >> 12], HEX[(c >> 8) & 15], HEX[(c >> 4) & 15], HEX[c & 15]};
    out.append(escape, sizeof escape);
}

} // namespace

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
        m_text.append("null");
    return *this;
}

JsonLine& JsonLine::add(const char* key, bool value) {
    addKey(key);
    m_text.append(value ? "true" : "false");
    return *this;
}

JsonLine::JsonLine() {
    m_text.reserve(256);
    m_text.append('{');
}

void JsonLine::addKey(const char* key) {
    if (m_text.size() > 1)
        m_text.append(", ");
    m_text.append('"').append(key).append("\": ");
}

void JsonLine::addQuoted(const QString& text) {
    m_text.append('"');
    // Converted first, then escaped byte by byte: every character that needs an escape is ASCII, except
    // the two separators, which are E2 80 A8 and E2 80 A9 in UTF-8.
    const QByteArray utf8 = text.toUtf8();
    const char* run = utf8.constData(); // start of the bytes not yet written
    const char* const end = run + utf8.size();
    for (const char* p = run; p != end; ++p) {
        const auto c = static_cast<unsigned char>(*p);
        const bool separator =
            c == 0xE2 && end - p >= 3 && static_cast<unsigned char>(p[1]) == 0x80 &&
            (static_cast<unsigned char>(p[2]) == 0xA8 || static_cast<unsigned char>(p[2]) == 0xA9);
        if (c >= 0x20 && c != '"' && c != '\\' && !separator)
            continue;
        m_text.append(run, p - run);
        switch (c) {
        case '"':
            m_text.append("\\\"");
            break;
        case '\\':
            m_text.append("\\\\");
            break;
        case '\n':
            m_text.append("\\n");
            break;
        case '\r':
            m_text.append("\\r");
            break;
        case '\t':
            m_text.append("\\t");
            break;
        default:
            // Control characters, and the two separators that break JavaScript readers.
            appendEscape(m_text, separator ? char16_t(p[2] == char(0xA8) ? 0x2028 : 0x2029) : char16_t(c));
            if (separator)
                p += 2;
        }
        run = p + 1;
    }
    m_text.append(run, end - run);
    m_text.append('"');
}

QByteArray JsonLine::text() const {
    return m_text + "}\n";
}
