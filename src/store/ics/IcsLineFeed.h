#pragma once

#include <QByteArray>

#include <libical/ical.h>

#include <cstddef>

// Hands calendar text to libical one unfolded content line at a time. libical's own string reader takes
// a line in pieces of 80 bytes and searches the rest of the text for the line's end before each piece,
// so one long line costs time quadratic in its length; here the text is unfolded in one pass and each
// line's end is found once.
class IcsLineFeed {
public:
    // What libical makes of `text` (up to a NUL byte, lines ending in CRLF or LF): a VCALENDAR, an
    // XROOT holding several top-level components, a bare component, or null. The caller frees it.
    static icalcomponent* parse(const QByteArray& text);

private:
    explicit IcsLineFeed(QByteArrayView text);
    // libical's line source: the next piece of the current line, at most `size` - 1 bytes.
    static char* nextPiece(char* out, size_t size, void* feed);

    QByteArray m_lines; // unfolded, each ending in '\n'
    qsizetype m_at = 0;
    qsizetype m_lineEnd = -1; // the '\n' of the line m_at is in
};
