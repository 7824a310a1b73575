#include "ContentLine.h"

#include "base/InternalInconsistency.h"

#include <algorithm>

namespace {

constexpr qsizetype MAX_LINE_OCTETS = 75;

bool isNameChar(QChar c) {
    return (c >= u'A' && c <= u'Z') || (c >= u'a' && c <= u'z') || (c >= u'0' && c <= u'9') || c == u'-';
}

qsizetype nameEnd(QStringView text, qsizetype from) {
    while (from < text.size() && isNameChar(text[from]))
        ++from;
    return from;
}

bool sameName(QStringView a, QStringView b) {
    return a.compare(b, Qt::CaseInsensitive) == 0;
}

// Parameter values cannot hold a double quote or a line break; they are caret-escaped instead.
QString encodeParameterValue(const QString& value) {
    QString result;
    for (qsizetype i = 0; i < value.size(); ++i) {
        const QChar c = value[i];
        if (c == u'^')
            result += u"^^";
        else if (c == u'"')
            result += u"^'";
        else if (c == u'\r' || c == u'\n') {
            result += u"^n";
            if (c == u'\r' && i + 1 < value.size() && value[i + 1] == u'\n')
                ++i;
        } else
            result += c;
    }
    if (result.contains(u':') || result.contains(u';') || result.contains(u','))
        return u'"' + result + u'"';
    return result;
}

QString decodeParameterValue(QStringView raw) {
    if (raw.size() >= 2 && raw.startsWith(u'"') && raw.endsWith(u'"'))
        raw = raw.sliced(1, raw.size() - 2);
    QString result;
    for (qsizetype i = 0; i < raw.size(); ++i) {
        const QChar next = i + 1 < raw.size() ? raw[i + 1] : QChar();
        if (raw[i] == u'^' && (next == u'^' || next == u'\'' || next == u'n')) {
            result += next == u'n' ? u'\n' : next == u'\'' ? u'"' : u'^';
            ++i;
        } else
            result += raw[i];
    }
    return result;
}

void checkNoLineBreak(const QString& text) {
    VL_ASSERT(!text.contains(u'\r') && !text.contains(u'\n'), "ContentLine: line break in " + text);
}

} // namespace

ContentLine::ContentLine(QString name, QString value) : m_name(std::move(name)) {
    setValue(std::move(value));
}

std::optional<ContentLine> ContentLine::parse(QStringView unfolded) {
    qsizetype at = nameEnd(unfolded, 0);
    if (at == 0)
        return std::nullopt;
    ContentLine line(unfolded.first(at).toString(), QString());
    while (at < unfolded.size() && unfolded[at] == u';') {
        const qsizetype nameStart = at + 1;
        at = nameEnd(unfolded, nameStart);
        if (at == nameStart || at == unfolded.size() || unfolded[at] != u'=')
            return std::nullopt;
        Parameter parameter{unfolded.sliced(nameStart, at - nameStart).toString(), {}};
        do {
            const qsizetype valueStart = ++at;
            if (at < unfolded.size() && unfolded[at] == u'"') {
                at = unfolded.indexOf(u'"', at + 1);
                if (at < 0)
                    return std::nullopt;
                ++at;
            } else {
                while (at < unfolded.size() && unfolded[at] != u',' && unfolded[at] != u';' &&
                       unfolded[at] != u':')
                    ++at;
            }
            parameter.values.append(unfolded.sliced(valueStart, at - valueStart).toString());
        } while (at < unfolded.size() && unfolded[at] == u',');
        line.m_parameters.append(std::move(parameter));
    }
    if (at == unfolded.size() || unfolded[at] != u':')
        return std::nullopt;
    line.setValue(unfolded.sliced(at + 1).toString());
    return line;
}

bool ContentLine::hasName(QStringView name) const {
    return sameName(m_name, name);
}

void ContentLine::setValue(QString value) {
    checkNoLineBreak(value);
    m_value = std::move(value);
}

qsizetype ContentLine::indexOfParameter(QStringView name) const {
    for (qsizetype i = 0; i < m_parameters.size(); ++i) {
        if (sameName(m_parameters[i].name, name))
            return i;
    }
    return -1;
}

bool ContentLine::hasParameter(QStringView name) const {
    return indexOfParameter(name) >= 0;
}

QStringList ContentLine::parameter(QStringView name) const {
    const qsizetype index = indexOfParameter(name);
    QStringList result;
    if (index >= 0) {
        for (const QString& raw : m_parameters[index].values)
            result.append(decodeParameterValue(raw));
    }
    return result;
}

void ContentLine::setParameter(const QString& name, const QStringList& values) {
    Parameter parameter{name, {}};
    for (const QString& value : values)
        parameter.values.append(encodeParameterValue(value));
    const qsizetype index = indexOfParameter(name);
    if (index >= 0)
        m_parameters[index] = std::move(parameter);
    else
        m_parameters.append(std::move(parameter));
}

void ContentLine::removeParameter(QStringView name) {
    const qsizetype index = indexOfParameter(name);
    if (index >= 0)
        m_parameters.removeAt(index);
}

QString ContentLine::text() const {
    QString result = m_name;
    for (const Parameter& parameter : m_parameters)
        result += u';' + parameter.name + u'=' + parameter.values.join(u',');
    return result + u':' + m_value;
}

QByteArray ContentLine::folded() const {
    const QByteArray utf8 = text().toUtf8();
    QByteArray result;
    qsizetype start = 0;
    qsizetype room = MAX_LINE_OCTETS;
    while (true) {
        qsizetype end = std::min(start + room, utf8.size());
        // Never cut before a UTF-8 continuation byte (10xxxxxx).
        while (end < utf8.size() && (static_cast<unsigned char>(utf8[end]) & 0xC0) == 0x80)
            --end;
        result += utf8.mid(start, end - start) + "\r\n";
        if (end == utf8.size())
            return result;
        result += ' ';
        start = end;
        room = MAX_LINE_OCTETS - 1;
    }
}

QString ContentLine::escapeText(QStringView text) {
    QString result;
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar c = text[i];
        if (c == u'\\' || c == u';' || c == u',')
            result += u'\\' + QString(c);
        else if (c == u'\r' || c == u'\n') {
            result += u"\\n";
            if (c == u'\r' && i + 1 < text.size() && text[i + 1] == u'\n')
                ++i;
        } else
            result += c;
    }
    return result;
}

QString ContentLine::unescapeText(QStringView text) {
    QString result;
    for (qsizetype i = 0; i < text.size(); ++i) {
        if (text[i] == u'\\' && i + 1 < text.size()) {
            const QChar next = text[++i];
            result += next == u'n' || next == u'N' ? QChar(u'\n') : next;
        } else
            result += text[i];
    }
    return result;
}
