#include "EntryTestSupport.h"

#include "entry/Parser.h"

#include <gtest/gtest.h>

#include <functional>

namespace {

using Rule = std::function<ParseTreeNode()>;

// The root decides between the five shapes in one pass; it must agree with trying each shape from the
// start of the line, in order, and taking the first that parses. What the shapes mean is checked through
// the events they build.
TEST(Parser, RootAgreesWithTryingEachShapeInOrder) {
    EnglishLexer lexer(entrytest::sampleCalendars);
    Parser parser(lexer);
    const auto parse = [&](const QString& line, const Rule& rule) {
        lexer.setString(line);
        parser.reset();
        const std::optional<ParseTreeNode> root = parser.parse(rule);
        return root ? root->debugDescription() : "none";
    };
    // A node of `type` whose children the rules parse one after the other.
    const auto sequence = [](int type, std::vector<Rule> rules) -> Rule {
        return [type, rules] {
            ParseTreeNode node(type);
            for (const Rule& rule : rules)
                node.addChildNode(rule());
            return node;
        };
    };
    const Rule interval = [&] { return parser.parseInterval(); };
    const Rule calendar = [&] { return parser.parseCalendar(); };
    const Rule event = sequence(ParseTreeNode::event, {interval, [&] { return parser.parseAnyToken(); }});
    const Rule shapes[] = {sequence(ParseTreeNode::calendarAndEvent, {calendar, event}),
                           sequence(ParseTreeNode::calendarAndInterval, {calendar, interval}), event,
                           interval, calendar};
    for (const QString& line : entrytest::sampleLines) {
        QString expected = "none";
        for (const Rule& rule : shapes) {
            if ((expected = parse(line, rule)) != "none")
                break;
        }
        EXPECT_EQ(parse(line, [&] { return parser.parseRoot(); }), expected) << line.toStdString();
    }
}

} // namespace
