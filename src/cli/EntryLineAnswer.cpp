#include "EntryLineAnswer.h"

#include "IsoDateText.h"
#include "JsonLine.h"
#include "dates/DateFormatter.h"
#include "dates/dateUtilities.h"

#include <QUuid>

namespace {

QString shapeName(int rootType) {
    switch (rootType) {
    case ParseTreeNode::event:
        return QStringLiteral("event");
    case ParseTreeNode::interval:
        return QStringLiteral("interval");
    case ParseTreeNode::calendar:
        return QStringLiteral("calendar");
    case ParseTreeNode::calendarAndEvent:
        return QStringLiteral("calendarAndEvent");
    case ParseTreeNode::calendarAndInterval:
        return QStringLiteral("calendarAndInterval");
    default:
        return QString::number(rootType);
    }
}

QList<std::shared_ptr<CalCalendar>> calendarsNamed(const QStringList& names) {
    QList<std::shared_ptr<CalCalendar>> calendars;
    for (const QString& name : names) {
        auto calendar = CalCalendar::calendar();
        calendar->uid = QUuid::createUuid().toString(QUuid::WithoutBraces);
        calendar->title = name;
        calendars.append(calendar);
    }
    return calendars;
}

std::shared_ptr<DateFormatter> formatterFor(const ParseOptions& options) {
    auto formatter = std::make_shared<DateFormatter>();
    formatter->setLocale(requiredLocale());
    formatter->setTimeModeHours(options.timeModeHours);
    return formatter;
}

} // namespace

EntryLineAnswer::EntryLineAnswer(const ParseOptions& options)
    : m_applier(calendarsNamed(options.calendarNames), options.dayMonthOrder),
      m_description(formatterFor(options)), m_base(CalEvent::event()), m_now(options.now) {
    m_base->title = QStringLiteral("New Event");
    m_base->startDate =
        options.baseStart.value_or(CalendarDate::dateWithDate(options.now, {12, 0, 0})).toQDateTime();
    m_base->endDate =
        options.baseEnd.value_or(CalendarDate::dateWithDate(options.now, {13, 0, 0})).toQDateTime();
}

EntryLineAnswer::Answer EntryLineAnswer::answer(const QString& line) {
    const std::optional<EntryLineApplier::Result> result = m_applier.apply(*m_base, line, m_now);
    if (!result)
        return {JsonLine().add("error", QStringLiteral("not understood")).text(), false};
    const CalEvent& event = *result->event;
    const std::optional<QString> calendar =
        event.calendar ? std::optional<QString>(event.calendar->title) : std::nullopt;
    const std::optional<QString> start = IsoDateText::write(CalendarDate::fromQDateTime(event.startDate));
    const std::optional<QString> end = IsoDateText::write(CalendarDate::fromQDateTime(event.endDate));
    if (!start || !end)
        return {JsonLine().add("error", QStringLiteral("dates outside the years 1-9999")).text(), false};
    JsonLine json;
    json.add("shape", shapeName(result->shape))
        .add("start", *start)
        .add("end", *end)
        .add("allDay", event.isAllDay)
        .add("title", event.title)
        .add("calendar", calendar)
        .add("description", m_description.descriptionOfEvent(event, m_now));
    return {json.text(), true};
}
