#include "VisibleText.h"

#include <algorithm>

QString VisibleText::escaped(const QString& text) {
    // Most text needs nothing, and is then shared rather than copied.
    if (std::none_of(text.begin(), text.end(), [](QChar c) { return c == u'\\' || isControl(c.unicode()); }))
        return text;
    QString result;
    result.reserve(text.size());
    for (const QChar c : text) {
        switch (c.unicode()) {
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
            if (isControl(c.unicode()))
                result += QStringLiteral("\\u%1").arg(c.unicode(), 4, 16, QChar(u'0'));
            else
                result += c;
        }
    }
    return result;
}
