#include "EntryLineApplier.h"

EntryLineApplier::EntryLineApplier(const QList<std::shared_ptr<CalCalendar>>& calendars, int dayMonthOrder) {
    QStringList names;
    for (const auto& calendar : calendars)
        names.append(calendar->title);
    m_controller.setCalendarNames(names);
    m_controller.setDayMonthOrder(dayMonthOrder);
    m_builder.setCalendars({calendars.begin(), calendars.end()});
}

std::optional<EntryLineApplier::Result> EntryLineApplier::apply(const CalEvent& base, const QString& line,
                                                                const CalendarDate& now) {
    const std::optional<ParseTreeNode> tree = m_controller.parseEvent(line);
    if (!tree)
        return std::nullopt;
    std::shared_ptr<CalEvent> event = base.copy();
    m_builder.updateEvent(*event, *tree, now);
    return Result{event, tree->type()};
}
