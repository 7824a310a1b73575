#include "ParsingController.h"

#include "CalEventBuilder.h"
#include "LexerException.h"

namespace {

QString titleOf(const ParseTreeNode& node) {
    if (node.type() == ParseTreeNode::description)
        return node.textValue();
    for (const ParseTreeNode& child : node.childNodes())
        if (const QString title = titleOf(child); !title.isEmpty())
            return title;
    return {};
}

// Spaces, tabs and the other horizontal blanks; line breaks are kept.
bool isHorizontalBlank(QChar c) {
    return c == u'\t' || c.category() == QChar::Separator_Space;
}

QString trimmedOfBlanks(const QString& text) {
    qsizetype begin = 0, end = text.size();
    while (begin < end && isHorizontalBlank(text[begin]))
        ++begin;
    while (end > begin && isHorizontalBlank(text[end - 1]))
        --end;
    return text.mid(begin, end - begin);
}

} // namespace

ParsingController::ParsingController() : m_parser(m_lexer) {}

void ParsingController::resetParsing(const QString& text) {
    // The look-ahead token views the old string, so it goes first.
    m_parser.reset();
    m_lexer.setString(trimmedOfBlanks(text));
}

template <typename Rule>
std::optional<ParseTreeNode> ParsingController::parseLine(const QString& text, Rule rule) {
    resetParsing(text);
    try {
        if (!m_parser.canStartShape())
            return std::nullopt;
        std::optional<ParseTreeNode> node = m_parser.parse(rule);
        if (node && node->containsDateWithoutValue())
            return std::nullopt;
        return node;
    } catch (const LexerException&) {
        // Only text the definitions cannot cut at all gets here, such as broken UTF-16.
        return std::nullopt;
    }
}

std::optional<ParseTreeNode> ParsingController::parseEvent(const QString& text) {
    return parseLine(text, [this] { return m_parser.parseRoot(); });
}

int ParsingController::recognisedLength(const QString& text, const ParseTreeNode& tree) {
    const QString title = titleOf(tree);
    const qsizetype titleStart = title.isEmpty() ? -1 : text.lastIndexOf(title);
    return int(titleStart >= 0 ? titleStart : text.trimmed().size());
}

bool ParsingController::holdsDateOrTime(const QString& text) {
    for (qsizetype word = 0; word < text.size(); ++word) {
        if (isHorizontalBlank(text[word]) || (word > 0 && !isHorizontalBlank(text[word - 1])))
            continue;
        resetParsing(text.mid(word));
        try {
            const int type = m_lexer.nextToken().type;
            if (type == DATE || type == TIME || type == SHORT_TIME_24H || type == CALENDAR)
                return true;
        } catch (const LexerException&) {
            return true; // not a plain title either
        }
    }
    return false;
}

std::optional<CalendarDate> ParsingController::parseDateTime(const QString& text,
                                                             const CalendarDate& reference) {
    const std::optional<ParseTreeNode> node = parseLine(text, [this] { return m_parser.parseDateTime(); });
    if (!node)
        return std::nullopt;
    return CalEventBuilder::dateTimeNodeAsCalendarDate(*node, reference);
}
