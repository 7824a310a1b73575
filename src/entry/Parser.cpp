#include "Parser.h"

// The five shapes are tried in order: calendar and event, calendar and interval, event, interval,
// calendar. They share their beginnings, so one pass decides between them: an event is an interval with
// a token after it, and a line whose first token is a calendar can only be one of the calendar shapes.
ParseTreeNode Parser::parseRoot() {
    if (tokenType() != CALENDAR)
        return parseEventOrInterval();
    ParseTreeNode calendarNode = parseCalendar();
    // A calendar alone ("work:") is common enough not to pay for a failed rule's exception.
    const int next = tokenType();
    if (next != DATE && next != SHORT_TIME_24H && next != TIME)
        return calendarNode;
    std::optional<ParseTreeNode> rest = parse([this] { return parseEventOrInterval(); });
    if (!rest)
        return calendarNode;
    ParseTreeNode node(rest->type() == ParseTreeNode::event ? ParseTreeNode::calendarAndEvent
                                                            : ParseTreeNode::calendarAndInterval);
    node.addChildNode(std::move(calendarNode));
    node.addChildNode(std::move(*rest));
    return node;
}

bool Parser::canStartShape() {
    const int type = tokenType();
    return type == CALENDAR || type == DATE || type == TIME || type == SHORT_TIME_24H;
}

ParseTreeNode Parser::parseEventOrInterval() {
    ParseTreeNode interval = parseInterval();
    if (isEndOfStream())
        return interval;
    ParseTreeNode node(ParseTreeNode::event);
    node.addChildNode(std::move(interval));
    node.addChildNode(parseAnyToken());
    return node;
}

ParseTreeNode Parser::parseCalendar() {
    return ParseTreeNode(ParseTreeNode::calendar, m_lexer.parseCALENDAR(match(CALENDAR)));
}

// The title is the rest of the line from the token after the dates, so that one starting like a date, a
// time or a calendar's name ("5 things", "fri lunch", "workshop" beside a calendar Work) keeps its words.
ParseTreeNode Parser::parseAnyToken() {
    tokenType(); // read the token, so that the lexer stands after it
    const qsizetype start = m_lexer.position() - tokenString().size();
    matchAnyToken();
    return ParseTreeNode(ParseTreeNode::description, m_lexer.string().mid(start));
}

ParseTreeNode Parser::parseInterval() {
    ParseTreeNode node(ParseTreeNode::interval);
    node.addChildNode(parseDateTime());
    if (tokenType() != TO)
        return node;
    match(TO);
    // A trailing separator is accepted and ignored.
    if (isEndOfStream())
        return node;
    const bool startHasTime = node.childNodes().front().containsTIME();
    node.addChildNode(startHasTime ? parseDateTimeExpectTime() : parseDateTime());
    return node;
}

ParseTreeNode Parser::parseDateTime() {
    ParseTreeNode node(ParseTreeNode::datetime);
    const int type = tokenType();
    if (type == DATE || type == SHORT_TIME_24H)
        node.addChildNode(parseDate());
    else if (type == TIME)
        node.addChildNode(parseTIME());
    else
        throw ParsingException("Expected DATE or TIME token");
    return node;
}

ParseTreeNode Parser::parseDateTimeExpectTime() {
    ParseTreeNode node(ParseTreeNode::datetime);
    const int type = tokenType();
    if (type == DATE)
        node.addChildNode(parseDate());
    else if (type == TIME || type == SHORT_TIME_24H)
        node.addChildNode(parseTIME());
    else
        throw ParsingException("Expected DATE or TIME token");
    return node;
}

ParseTreeNode Parser::parseDate() {
    ParseTreeNode node(ParseTreeNode::date);
    node.addChildNode(parseDATE());
    if (tokenType() == TIME || tokenType() == SHORT_TIME_24H)
        node.addChildNode(parseTIME());
    return node;
}

ParseTreeNode Parser::parseDATE() {
    if (tokenType() != DATE && tokenType() != SHORT_TIME_24H)
        throw ParsingException("wrong token matched");
    const std::optional<DateDescription> date = m_lexer.parseDATE(matchAnyToken());
    return date ? ParseTreeNode(ParseTreeNode::DATE, *date) : ParseTreeNode(ParseTreeNode::DATE);
}

ParseTreeNode Parser::parseTIME() {
    if (tokenType() != TIME && tokenType() != SHORT_TIME_24H)
        throw ParsingException("wrong token matched");
    return ParseTreeNode(ParseTreeNode::TIME, m_lexer.parseTIME(matchAnyToken()));
}
