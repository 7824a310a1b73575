#pragma once

#include "DateDescription.h"
#include "dates/TimeOfDay.h"

#include <QString>

#include <optional>
#include <variant>
#include <vector>

// A node of the tree the parser builds from one entry line. Leaves carry the lexer's values.
class ParseTreeNode {
public:
    enum Type : int {
        DATE = 0,        // value: the DateDescription, or none when the text names no date
        TIME = 1,        // value: the TimeOfDay
        datetime = 3,    // one child: a date or a TIME node
        date = 4,        // a DATE node, then optionally a TIME node
        interval = 5,    // a start datetime, then optionally an end datetime
        event = 6,       // an interval, then a description
        description = 7, // value: the title as typed
        calendarAndEvent = 8,
        calendarAndInterval = 9,
        calendar = 10, // value: the calendar name as typed
    };
    using Value = std::variant<std::monostate, DateDescription, TimeOfDay, QString>;

    explicit ParseTreeNode(int type, Value value = {}) : m_type(type), m_value(std::move(value)) {}

    int type() const { return m_type; }
    const Value& value() const { return m_value; }
    const std::vector<ParseTreeNode>& childNodes() const { return m_childNodes; }
    void addChildNode(ParseTreeNode child) {
        m_childNodes.reserve(2); // no node has more
        m_childNodes.push_back(std::move(child));
    }

    // True when this node or a descendant is a TIME node.
    bool containsTIME() const;
    // True when this node or a descendant is a DATE node that names no date (such as "at 9" or "0").
    bool containsDateWithoutValue() const;
    // "(type: %d value %@ children: %@)", for logging.
    QString debugDescription() const;

    std::optional<DateDescription> dateValue() const;
    std::optional<TimeOfDay> timeValue() const;
    QString textValue() const;

private:
    int m_type;
    Value m_value;
    std::vector<ParseTreeNode> m_childNodes;
};
