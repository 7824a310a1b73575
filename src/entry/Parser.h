#pragma once

#include "AbstractParser.h"
#include "EnglishLexer.h"

// The grammar of an entry line. A line is, in the first of these shapes that fits: a calendar and an
// event, a calendar and an interval, an event, an interval, or a calendar alone. A calendar name comes
// first, then dates and times, then the title; tokens after the shape's last one are ignored.
class Parser : public AbstractParser {
public:
    explicit Parser(EnglishLexer& lexer) : AbstractParser(lexer), m_lexer(lexer) {}

    // Each rule raises ParsingException when the tokens do not fit; wrap it in `parse`.
    ParseTreeNode parseRoot();
    ParseTreeNode parseInterval();
    ParseTreeNode parseCalendar();
    ParseTreeNode parseDateTime();
    // As parseDateTime, but a bare number is an hour rather than a day of the month.
    ParseTreeNode parseDateTimeExpectTime();
    ParseTreeNode parseDate();
    ParseTreeNode parseDATE();
    ParseTreeNode parseTIME();
    ParseTreeNode parseAnyToken();
    // Whether the first token can begin a shape (a calendar, a date or a time): a line that cannot is
    // known not to parse without the exception its first rule would raise, which costs more than parsing.
    bool canStartShape();

private:
    // An event when a token follows the interval, else the interval.
    ParseTreeNode parseEventOrInterval();

    EnglishLexer& m_lexer;
};
