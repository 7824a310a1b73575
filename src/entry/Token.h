#pragma once

#include <QString>

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

// One piece of a lexed line: its type and the text it covers (empty at the end of the stream).
struct Token {
    int type = EosType;
    QString string;
};
