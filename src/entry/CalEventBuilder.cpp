#include "CalEventBuilder.h"

#include "base/InternalInconsistency.h"

namespace {

bool isDateTimeNodeOnlyDate(const ParseTreeNode& node) {
    const ParseTreeNode& child = node.childNodes().front();
    return child.type() == ParseTreeNode::date && child.childNodes().size() == 1;
}

void requireType(const ParseTreeNode& node, int type, const char* text) {
    VL_ASSERT(node.type() == type, text);
}

} // namespace

void CalEventBuilder::setCalendars(const std::vector<std::shared_ptr<CalCalendar>>& calendars) {
    m_calendarsByName.clear();
    for (const auto& calendar : calendars) {
        VL_ASSERT(calendar, "have calendars");
        m_calendarsByName.insert(calendar->title.toCaseFolded(), calendar);
    }
}

void CalEventBuilder::updateEvent(CalEvent& event, const ParseTreeNode& root) const {
    updateEvent(event, root, CalendarDate::now());
}

void CalEventBuilder::updateEvent(CalEvent& event, const ParseTreeNode& root,
                                  const CalendarDate& reference) const {
    switch (root.type()) {
    case ParseTreeNode::event:
        updateEventWithEventNode(event, root, reference);
        return;
    case ParseTreeNode::interval:
        updateEventWithIntervalNode(event, root, reference);
        event.title.clear();
        return;
    case ParseTreeNode::calendar:
        updateEventWithCalendarNode(event, root);
        return;
    case ParseTreeNode::calendarAndEvent:
        VL_ASSERT(root.childNodes().size() == 2, "node type");
        requireType(root.childNodes()[0], ParseTreeNode::calendar, "calendar node type");
        requireType(root.childNodes()[1], ParseTreeNode::event, "event node type");
        updateEventWithEventNode(event, root.childNodes()[1], reference);
        updateEventWithCalendarNode(event, root.childNodes()[0]);
        return;
    case ParseTreeNode::calendarAndInterval:
        VL_ASSERT(root.childNodes().size() == 2, "node type");
        requireType(root.childNodes()[0], ParseTreeNode::calendar, "calendar node type");
        requireType(root.childNodes()[1], ParseTreeNode::interval, "interval node type");
        updateEventWithIntervalNode(event, root.childNodes()[1], reference);
        updateEventWithCalendarNode(event, root.childNodes()[0]);
        return;
    default:
        return;
    }
}

void CalEventBuilder::updateEventWithEventNode(CalEvent& event, const ParseTreeNode& node,
                                               const CalendarDate& reference) const {
    requireType(node, ParseTreeNode::event, "eventNode.type == event");
    VL_ASSERT(node.childNodes().size() == 2, "eventNode.type == event");
    requireType(node.childNodes()[0], ParseTreeNode::interval, "intervalNode.type == interval");
    requireType(node.childNodes()[1], ParseTreeNode::description, "descriptionNode.type == description");
    updateEventWithIntervalNode(event, node.childNodes()[0], reference);
    event.title = node.childNodes()[1].textValue();
}

void CalEventBuilder::updateEventWithCalendarNode(CalEvent& event, const ParseTreeNode& node) const {
    requireType(node, ParseTreeNode::calendar, "node type");
    // Folded, as the lexer's case-insensitive calendar pattern compares: "ſport" (long s) is Sport.
    const QString name = node.textValue().toCaseFolded();
    const auto found = m_calendarsByName.constFind(name);
    VL_ASSERT(found != m_calendarsByName.cend(),
              QStringLiteral("calendar %1 not found in %2")
                  .arg(name, QStringList(m_calendarsByName.keys()).join(u", ")));
    event.calendar = *found;
}

void CalEventBuilder::updateEventWithIntervalNode(CalEvent& event, const ParseTreeNode& node,
                                                  const CalendarDate& reference) const {
    VL_ASSERT(!node.childNodes().empty(), "startNode");
    const ParseTreeNode& startNode = node.childNodes().front();
    requireType(startNode, ParseTreeNode::datetime, "startNode.type == datetime");

    const CalendarDate start = dateTimeNodeAsCalendarDate(startNode, reference);
    const bool startOnlyDate = isDateTimeNodeOnlyDate(startNode);
    CalendarDate end;
    bool allDay = false;
    if (node.childNodes().size() == 2) {
        const ParseTreeNode& endNode = node.childNodes()[1];
        end = dateTimeNodeAsCalendarDate(endNode, start);
        allDay = startOnlyDate && isDateTimeNodeOnlyDate(endNode);
        if (allDay)
            end = end.addDay();
    } else {
        const double length = CalendarDate::fromQDateTime(event.endDate)
                                  .secondsSince(CalendarDate::fromQDateTime(event.startDate));
        allDay = startOnlyDate;
        end = startOnlyDate ? start.addDay() : start.addingSeconds(length);
    }
    event.startDate = start.toQDateTime();
    event.endDate = end.toQDateTime();
    event.isAllDay = allDay;
}

CalendarDate CalEventBuilder::dateTimeNodeAsCalendarDate(const ParseTreeNode& node,
                                                         const CalendarDate& reference) {
    VL_ASSERT(node.childNodes().size() == 1, "child.type == TIME");
    const ParseTreeNode& child = node.childNodes().front();
    if (child.type() == ParseTreeNode::date) {
        const std::optional<DateDescription> date = child.childNodes().front().dateValue();
        VL_ASSERT(date.has_value(), "date without a value");
        if (child.childNodes().size() == 2) {
            const TimeOfDay time = *child.childNodes()[1].timeValue();
            return CalendarDate::dateWithDate(date->dateWithTime(time, reference), time);
        }
        return date->dateWithReferenceDate(reference);
    }
    VL_ASSERT(child.type() == ParseTreeNode::TIME, "child.type == TIME");
    const TimeOfDay time = *child.timeValue();
    const CalendarDate sameDay = CalendarDate::dateWithDate(reference, time);
    if (sameDay < reference)
        return sameDay.addDay();
    // A clock time that the reference's day skips (the hour the clocks go forward) next shows tomorrow.
    if (sameDay.timeOfDay() != time)
        return CalendarDate::dateWithDate(reference.addDay(), time);
    return sameDay;
}
