#pragma once

#include <QStringView>

// Token types of the entry language.
enum TokenType : int {
    DATE = 0,
    TIME = 1,
    TO = 2,
    DESCRIPTION = 3,
    WHITESPACE = 4,
    CALENDAR = 5,
    SHORT_TIME_24H = 6,
};

inline constexpr int EosType = 0xFFFF;

// One piece of a lexed line: its type and the text it covers (empty at the end of the stream). The text
// is a view of the lexer's string, so that a token costs no copy; it lasts until the lexer is given
// another string.
struct Token {
    int type = EosType;
    QStringView string;
};
