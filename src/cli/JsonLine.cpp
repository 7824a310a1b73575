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

void JsonLine::addKey(const char* key) {
    if (m_text.size() > 1)
        m_text.append(", ");
    m_text.append('"').append(key).append("\": ");
}

void JsonLine::addQuoted(const QString& text) {
    m_text.append('"');
    const auto* const begin = reinterpret_cast<const char16_t*>(text.utf16());
    const char16_t* const end = begin + text.size();
    const char16_t* run = begin; // start of the characters not yet written
    const auto flush = [&](const char16_t* upTo) {
        if (upTo > run)
            m_text.append(QStringView(run, upTo).toUtf8());
    };
    for (const char16_t* p = begin; p != end; ++p) {
        const char16_t c = *p;
        if (c >= 0x20 && c < 0x80 && c != u'"' && c != u'\\') {
            // Plain ASCII goes out as it is; only other text needs converting.
            if (run == p) {
                m_text.append(char(c));
                run = p + 1;
            }
            continue;
        }
        const bool escaped = c < 0x20 || c == u'"' || c == u'\\' || c == 0x2028 || c == 0x2029;
        if (!escaped)
            continue;
        flush(p);
        run = p + 1;
        switch (c) {
        case u'"':
            m_text.append("\\\"");
            break;
        case u'\\':
            m_text.append("\\\\");
            break;
        case u'\n':
            m_text.append("\\n");
            break;
        case u'\r':
            m_text.append("\\r");
            break;
        case u'\t':
            m_text.append("\\t");
            break;
        default:
            // Control characters, and the two separators that break JavaScript readers.
            appendEscape(m_text, c);
        }
    }
    flush(end);
    m_text.append('"');
}

QByteArray JsonLine::text() const {
    return m_text + "}\n";
}
