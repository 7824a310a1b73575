#include "IcsDocument.h"

#include <QByteArrayView>

#include <algorithm>

#include <vector>

namespace {

// A content line as it stands in the file (folded, with its line ending) and its unfolded bytes.
struct LogicalLine {
    QByteArray original;
    QByteArray unfolded;
};

qsizetype lineEnd(QByteArrayView bytes, qsizetype from) {
    while (from < bytes.size() && bytes[from] != '\r' && bytes[from] != '\n')
        ++from;
    if (from < bytes.size())
        from += bytes[from] == '\r' && from + 1 < bytes.size() && bytes[from + 1] == '\n' ? 2 : 1;
    return from;
}

QByteArrayView withoutLineEnding(QByteArrayView line) {
    while (!line.isEmpty() && (line.back() == '\n' || line.back() == '\r'))
        line.chop(1);
    return line;
}

std::vector<LogicalLine> logicalLines(QByteArrayView bytes) {
    std::vector<LogicalLine> lines;
    for (qsizetype start = 0; start < bytes.size();) {
        const qsizetype end = lineEnd(bytes, start);
        const QByteArrayView physical = bytes.sliced(start, end - start);
        const bool continues = !lines.empty() && (physical[0] == ' ' || physical[0] == '\t');
        if (continues) {
            lines.back().original += physical;
            lines.back().unfolded += withoutLineEnding(physical.sliced(1));
        } else {
            lines.push_back({physical.toByteArray(), withoutLineEnding(physical).toByteArray()});
        }
        start = end;
    }
    return lines;
}

void collectEvents(IcsComponent& component, const QString& uid, QList<IcsComponent*>& result) {
    for (IcsComponent* child : component.children()) {
        const std::optional<ContentLine> childUid = child->property(u"UID");
        if (child->hasName(u"VEVENT") && childUid && ContentLine::unescapeText(childUid->value()) == uid)
            result.append(child);
        collectEvents(*child, uid, result);
    }
}

} // namespace

IcsDocument IcsDocument::parse(const QByteArray& bytes) {
    static constexpr QByteArrayView BYTE_ORDER_MARK("\xEF\xBB\xBF");
    IcsDocument document;
    QByteArrayView text(bytes);
    if (text.startsWith(BYTE_ORDER_MARK)) {
        document.m_byteOrderMark = BYTE_ORDER_MARK.toByteArray();
        text = text.sliced(BYTE_ORDER_MARK.size());
    }
    std::vector<IcsComponent*> open{&document.m_root};
    for (LogicalLine& logical : logicalLines(text)) {
        IcsComponent::Line line{std::move(logical.original),
                                ContentLine::parse(QString::fromUtf8(logical.unfolded))};
        const QString value = line.content ? line.content->value().trimmed() : QString();
        if (line.content && line.content->hasName(u"BEGIN") && !value.isEmpty()) {
            IcsComponent child;
            child.m_name = value;
            child.m_begin = std::move(line);
            open.push_back(&open.back()->addChild(std::move(child)));
            continue;
        }
        if (line.content && line.content->hasName(u"END")) {
            // An END closes the innermost open component of its name, and any left open inside it.
            auto closed = std::find_if(open.rbegin(), open.rend() - 1,
                                       [&value](const IcsComponent* c) { return c->hasName(value); });
            if (closed != open.rend() - 1) {
                (*closed)->m_end = std::move(line);
                open.erase(closed.base() - 1, open.end());
                continue;
            }
        }
        open.back()->m_entries.push_back({std::move(line), nullptr});
    }
    return document;
}

IcsDocument IcsDocument::create() {
    IcsDocument document;
    IcsComponent calendar(QStringLiteral("VCALENDAR"));
    calendar.addProperty(ContentLine(QStringLiteral("VERSION"), QStringLiteral("2.0")));
    calendar.addProperty(
        ContentLine(QStringLiteral("PRODID"), QStringLiteral("-//Pellowick//Verdalune//EN")));
    document.m_root.addChild(std::move(calendar));
    return document;
}

QByteArray IcsDocument::serialize() const {
    QByteArray result;
    m_root.appendTo(result);
    return m_byteOrderMark + result;
}

IcsComponent& IcsDocument::body() {
    const QList<IcsComponent*> calendars = m_root.children(u"VCALENDAR");
    return calendars.isEmpty() ? m_root : *calendars.first();
}

QList<IcsComponent*> IcsDocument::events(const QString& uid) {
    QList<IcsComponent*> result;
    collectEvents(m_root, uid, result);
    return result;
}

IcsComponent* IcsDocument::event(const QString& uid, const QString& recurrenceId) {
    for (IcsComponent* candidate : events(uid)) {
        const std::optional<ContentLine> id = candidate->property(u"RECURRENCE-ID");
        if (recurrenceId.isEmpty() ? !id : id && id->value() == recurrenceId)
            return candidate;
    }
    return nullptr;
}

bool IcsDocument::remove(const IcsComponent* component) {
    return m_root.remove(component);
}
