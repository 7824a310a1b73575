#pragma once

#include <QString>

// Text from the calendars as it is shown where it must not mislead (a terminal, a line-reading script,
// the program an alarm asks to run): a line break would forge another line, an escape sequence would
// drive a terminal (its title, its clipboard) and a direction override would show the text in another
// order than it is, so such characters are written as visible escapes.
class VisibleText {
public:
    // C0 and C1 controls, DEL, the line and paragraph separators and the direction embeddings,
    // overrides and isolates.
    static bool isControl(char32_t c) {
        return c < 0x20 || (c >= 0x7F && c <= 0x9F) || c == 0x2028 || c == 0x2029 ||
               (c >= 0x202A && c <= 0x202E) || (c >= 0x2066 && c <= 0x2069);
    }
    // `text` with each control as "\n", "\r", "\t" or "\uXXXX", and each backslash doubled so that an
    // escape in the text itself stays distinguishable.
    static QString escaped(const QString& text);
};
