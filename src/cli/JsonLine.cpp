#include "JsonLine.h"

namespace {

QString quoted(const QString& text) {
    QString result;
    result.reserve(text.size() + 2);
    result += u'"';
    for (const QChar c : text) {
        switch (c.unicode()) {
        case u'"':
            result += QStringLiteral("\\\"");
            break;
        case u'\\':
            result += QStringLiteral("\\\\");
            break;
        case u'\n':
            result += QStringLiteral("\\n");
            break;
        case u'\r':
            result += QStringLiteral("\\r");
            break;
        case u'\t':
            result += QStringLiteral("\\t");
            break;
        default:
            // Control characters, and the two separators that break JavaScript readers, are escaped.
            if (c.unicode() < 0x20 || c.unicode() == 0x2028 || c.unicode() == 0x2029)
                result += QStringLiteral("\\u%1").arg(c.unicode(), 4, 16, QChar(u'0'));
            else
                result += c;
        }
    }
    result += u'"';
    return result;
}

} // namespace

JsonLine& JsonLine::add(const char* key, const QString& value) {
    addRaw(key, quoted(value));
    return *this;
}

JsonLine& JsonLine::add(const char* key, const std::optional<QString>& value) {
    addRaw(key, value ? quoted(*value) : QStringLiteral("null"));
    return *this;
}

JsonLine& JsonLine::add(const char* key, bool value) {
    addRaw(key, value ? QStringLiteral("true") : QStringLiteral("false"));
    return *this;
}

void JsonLine::addRaw(const char* key, const QString& json) {
    if (!m_members.isEmpty())
        m_members += QStringLiteral(", ");
    m_members += quoted(QString::fromUtf8(key)) + QStringLiteral(": ") + json;
}

QByteArray JsonLine::text() const {
    return (u'{' + m_members + QStringLiteral("}\n")).toUtf8();
}
