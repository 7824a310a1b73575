#pragma once

#include "EnglishLexer.h"
#include "ParseTreeNode.h"
#include "Parser.h"
#include "dates/CalendarDate.h"

#include <QStringList>

#include <optional>

// The entry language's front door: one lexer and one parser, reused for every line.
class ParsingController {
public:
    ParsingController();

    // The titles of the editable calendars, which may start a line.
    void setCalendarNames(const QStringList& names) { m_lexer.setCalendarNames(names); }
    // 1: month before day in slashed dates; 0: day before month.
    void setDayMonthOrder(int order) { m_lexer.setDayMonthOrder(order); }
    int dayMonthOrder() const { return m_lexer.dayMonthOrder(); }

    // The tree of an event line, or nothing when the line is not understood: no shape fits, or a date in
    // it names no day (such as "at 9 lunch" or "0 lunch").
    std::optional<ParseTreeNode> parseEvent(const QString& text);
    // One date, date and time, or time at the start of the line (the rest is ignored), resolved against
    // `reference`; nothing when the line does not start with one.
    std::optional<CalendarDate> parseDateTime(const QString& text,
                                              const CalendarDate& reference = CalendarDate::now());
    // Whether a word of the line, read from its start, is a date, a time or a calendar's name: false for a
    // line that can only be a title.
    bool holdsDateOrTime(const QString& text);
    // How many characters at the start of `text` the language took as dates, times and a calendar: those
    // before the title of `tree`, or all of the trimmed line when it has no title.
    static int recognisedLength(const QString& text, const ParseTreeNode& tree);

private:
    void resetParsing(const QString& text);
    template <typename Rule> std::optional<ParseTreeNode> parseLine(const QString& text, Rule rule);

    EnglishLexer m_lexer;
    Parser m_parser;
};
