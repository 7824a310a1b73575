#include "EntryTestSupport.h"

#include "entry/Parser.h"

#include <gtest/gtest.h>

#include <functional>

namespace {

// A tree as `event(interval(datetime(date(DATE TIME=9:00))) "lunch")`; a DATE without a value is DATE?.
QString shape(const ParseTreeNode& node) {
    switch (node.type()) {
    case ParseTreeNode::DATE:
        return node.dateValue() ? "DATE" : "DATE?";
    case ParseTreeNode::TIME:
        return QStringLiteral("TIME=%1:%2")
            .arg(node.timeValue()->hour)
            .arg(node.timeValue()->minute, 2, 10, QChar(u'0'));
    case ParseTreeNode::description:
        return u'"' + node.textValue().replace(u'\t', QStringLiteral("\\t")) + u'"';
    case ParseTreeNode::calendar:
        return "calendar=" + node.textValue();
    }
    static const char* const names[] = {"",         "",      "", "datetime",         "date",
                                        "interval", "event", "", "calendarAndEvent", "calendarAndInterval"};
    QStringList children;
    for (const ParseTreeNode& child : node.childNodes())
        children << shape(child);
    return QString::fromLatin1(names[node.type()]) + u'(' + children.join(u' ') + u')';
}

class ParserTest : public ::testing::Test {
protected:
    QString parseWith(const QString& line, const std::function<ParseTreeNode()>& rule) {
        lexer.setString(line);
        parser.reset();
        const std::optional<ParseTreeNode> root = parser.parse(rule);
        return root ? shape(*root) : "none";
    }
    QString parseLine(const QString& line) {
        return parseWith(line, [this] { return parser.parseRoot(); });
    }

    EnglishLexer lexer{{"Home", "Work"}};
    Parser parser{lexer};
};

TEST_F(ParserTest, LineShapes) {
    const std::pair<const char*, const char*> cases[] = {
        {"tomorrow", "interval(datetime(date(DATE)))"},
        {"tomorrow lunch", R"(event(interval(datetime(date(DATE))) "lunch"))"},
        {"lunch tomorrow", "none"},
        {"Work:", "calendar=Work"},
        {"work: tomorrow", "calendarAndInterval(calendar=work interval(datetime(date(DATE))))"},
        {"work: tomorrow lunch",
         R"(calendarAndEvent(calendar=work event(interval(datetime(date(DATE))) "lunch")))"},
        {"work: lunch", "calendar=work"},
        {"tomorrow to", "interval(datetime(date(DATE)))"},
        {"fri to lunch", "none"},
        {"9 lunch", R"(event(interval(datetime(date(DATE))) "lunch"))"},
        {"fri 9 lunch", R"(event(interval(datetime(date(DATE TIME=9:00))) "lunch"))"},
        {"9am to 5 lunch", R"(event(interval(datetime(TIME=9:00) datetime(TIME=5:00)) "lunch"))"},
        {"mon to 5 lunch", R"(event(interval(datetime(date(DATE)) datetime(date(DATE))) "lunch"))"},
        {"3pm fri lunch", R"(event(interval(datetime(TIME=15:00)) "fri "))"},
        {"tomorrow 3pm 5pm lunch", R"(event(interval(datetime(date(DATE TIME=15:00))) "5pm "))"},
        {"tomorrow\tlunch", R"(event(interval(datetime(date(DATE))) "\t"))"},
        {"at 9 lunch", R"(event(interval(datetime(date(DATE?))) "lunch"))"},
        {"", "none"},
    };
    for (const auto& [line, tree] : cases)
        EXPECT_EQ(parseLine(line), tree) << line;
}

// The root decides between the five shapes in one pass; it must agree with trying each shape from the
// start of the line, in order, and taking the first that parses.
TEST_F(ParserTest, RootAgreesWithTryingEachShapeInOrder) {
    lexer.setCalendarNames(entrytest::sampleCalendars);
    const std::function<ParseTreeNode()> interval = [this] { return parser.parseInterval(); };
    const std::function<ParseTreeNode()> event = [this] {
        ParseTreeNode node(ParseTreeNode::event);
        node.addChildNode(parser.parseInterval());
        node.addChildNode(parser.parseAnyToken());
        return node;
    };
    auto withCalendar = [this](int type, std::function<ParseTreeNode()> rest) {
        return [this, type, rest] {
            ParseTreeNode node(type);
            node.addChildNode(parser.parseCalendar());
            node.addChildNode(rest());
            return node;
        };
    };
    const std::function<ParseTreeNode()> shapes[] = {
        withCalendar(ParseTreeNode::calendarAndEvent, event),
        withCalendar(ParseTreeNode::calendarAndInterval, interval), event, interval,
        [this] { return parser.parseCalendar(); }};
    for (const QString& line : entrytest::sampleLines) {
        QString expected = "none";
        for (const auto& rule : shapes) {
            if ((expected = parseWith(line, rule)) != "none")
                break;
        }
        EXPECT_EQ(parseLine(line), expected) << line.toStdString();
    }
}

} // namespace
