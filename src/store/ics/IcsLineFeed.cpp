#include "IcsLineFeed.h"

#include <algorithm>
#include <cstring>

IcsLineFeed::IcsLineFeed(QByteArrayView text) {
    m_lines.reserve(text.size() + 1);
    for (qsizetype start = 0; start < text.size();) {
        qsizetype end = text.indexOf('\n', start);
        end = end < 0 ? text.size() : end;
        QByteArrayView physical = text.sliced(start, end - start);
        if (physical.endsWith('\r'))
            physical.chop(1);
        // A line that starts with a space or tab continues the one before, without that first character.
        if (!m_lines.isEmpty() && !physical.isEmpty() && (physical[0] == ' ' || physical[0] == '\t')) {
            m_lines.chop(1);
            m_lines.append(physical.sliced(1));
        } else {
            m_lines.append(physical);
        }
        m_lines.append('\n');
        start = end + 1;
    }
}

icalcomponent* IcsLineFeed::parse(const QByteArray& text) {
    IcsLineFeed feed{QByteArrayView(text.constData())};
    icalparser* parser = icalparser_new();
    icalparser_set_gen_data(parser, &feed);
    icalcomponent* root = icalparser_parse(parser, &IcsLineFeed::nextPiece);
    icalparser_free(parser);
    return root;
}

char* IcsLineFeed::nextPiece(char* out, size_t size, void* data) {
    auto& feed = *static_cast<IcsLineFeed*>(data);
    if (feed.m_at == feed.m_lines.size() || size < 2)
        return nullptr;
    if (feed.m_at > feed.m_lineEnd)
        feed.m_lineEnd = feed.m_lines.indexOf('\n', feed.m_at);
    const qsizetype length = std::min(feed.m_lineEnd + 1 - feed.m_at, qsizetype(size - 1));
    std::memcpy(out, feed.m_lines.constData() + feed.m_at, size_t(length));
    out[length] = '\0';
    feed.m_at += length;
    return out;
}
