#include "ParseTreeNode.h"

#include <QStringList>

#include <algorithm>

bool ParseTreeNode::containsTIME() const {
    return m_type == TIME || std::any_of(m_childNodes.begin(), m_childNodes.end(),
                                         [](const auto& c) { return c.containsTIME(); });
}

bool ParseTreeNode::containsDateWithoutValue() const {
    if (m_type == DATE && !dateValue())
        return true;
    return std::any_of(m_childNodes.begin(), m_childNodes.end(),
                       [](const auto& c) { return c.containsDateWithoutValue(); });
}

std::optional<DateDescription> ParseTreeNode::dateValue() const {
    if (const auto* value = std::get_if<DateDescription>(&m_value))
        return *value;
    return std::nullopt;
}

std::optional<TimeOfDay> ParseTreeNode::timeValue() const {
    if (const auto* value = std::get_if<TimeOfDay>(&m_value))
        return *value;
    return std::nullopt;
}

QString ParseTreeNode::textValue() const {
    if (const auto* value = std::get_if<QString>(&m_value))
        return *value;
    return QString();
}

QString ParseTreeNode::debugDescription() const {
    QString value = QStringLiteral("(null)");
    if (const auto date = dateValue())
        value = QStringLiteral("<date kind %1>").arg(date->type());
    else if (const auto time = timeValue())
        value = QStringLiteral("%1:%2:%3")
                    .arg(time->hour)
                    .arg(time->minute, 2, 10, QChar(u'0'))
                    .arg(time->second, 2, 10, QChar(u'0'));
    else if (std::holds_alternative<QString>(m_value))
        value = textValue();
    QStringList children;
    for (const ParseTreeNode& child : m_childNodes)
        children.append(child.debugDescription());
    return QStringLiteral("(type: %1 value %2 children: (%3))").arg(m_type).arg(value, children.join(u", "));
}
