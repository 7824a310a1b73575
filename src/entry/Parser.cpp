#include "Parser.h"

ParseTreeNode Parser::parseRoot() {
    const QString text = m_lexer.string();
    using Rule = ParseTreeNode (Parser::*)();
    const Rule alternatives[] = {&Parser::parseCalendarAndEvent, &Parser::parseCalendarAndInterval,
                                 &Parser::parseEvent, &Parser::parseInterval, &Parser::parseCalendar};
    bool first = true;
    for (Rule rule : alternatives) {
        if (!first) {
            m_lexer.setString(text);
            reset();
        }
        first = false;
        if (std::optional<ParseTreeNode> node = parse([&] { return (this->*rule)(); }))
            return std::move(*node);
    }
    throw ParsingException("no line shape fits");
}

ParseTreeNode Parser::parseCalendarAndEvent() {
    ParseTreeNode node(ParseTreeNode::calendarAndEvent);
    node.addChildNode(parseCalendar());
    node.addChildNode(parseEvent());
    return node;
}

ParseTreeNode Parser::parseCalendarAndInterval() {
    ParseTreeNode node(ParseTreeNode::calendarAndInterval);
    node.addChildNode(parseCalendar());
    node.addChildNode(parseInterval());
    return node;
}

ParseTreeNode Parser::parseCalendar() {
    return ParseTreeNode(ParseTreeNode::calendar, m_lexer.parseCALENDAR(match(CALENDAR)));
}

ParseTreeNode Parser::parseEvent() {
    ParseTreeNode node(ParseTreeNode::event);
    node.addChildNode(parseInterval());
    node.addChildNode(parseAnyToken());
    return node;
}

ParseTreeNode Parser::parseAnyToken() {
    return ParseTreeNode(ParseTreeNode::description, matchAnyToken());
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
