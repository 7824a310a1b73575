#include "AbstractParser.h"

#include "ParsingException.h"

const Token& AbstractParser::current() {
    if (!m_token)
        consume();
    return *m_token;
}

int AbstractParser::tokenType() {
    return current().type;
}

QStringView AbstractParser::tokenString() {
    return current().string;
}

void AbstractParser::consume() {
    m_token = m_lexer.nextToken();
}

QStringView AbstractParser::match(int type) {
    if (tokenType() != type)
        throw ParsingException("wrong token matched");
    const QStringView text = tokenString();
    consume();
    return text;
}

QStringView AbstractParser::matchAnyToken() {
    if (isEndOfStream())
        throw ParsingException("wrong token matched");
    const QStringView text = tokenString();
    consume();
    return text;
}
