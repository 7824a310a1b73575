#include "ParseCommand.h"

#include "CommandOutput.h"
#include "EntryLineApplier.h"
#include "IsoDateText.h"
#include "JsonLine.h"
#include "LineReader.h"
#include "ParseOptions.h"
#include "base/InternalInconsistency.h"
#include "dates/DateFormatter.h"
#include "dates/EventDescription.h"
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

// The JSON line for one entry line, and whether the line was understood.
std::pair<QByteArray, bool> describe(EntryLineApplier& applier, const EventDescription& description,
                                     const CalEvent& base, const QString& line, const CalendarDate& now) {
    const std::optional<EntryLineApplier::Result> result = applier.apply(base, line, now);
    if (!result)
        return {JsonLine().add("error", QStringLiteral("not understood")).text(), false};
    const CalEvent& event = *result->event;
    const std::optional<QString> calendar =
        event.calendar ? std::optional<QString>(event.calendar->title) : std::nullopt;
    JsonLine json;
    json.add("shape", shapeName(result->shape))
        .add("start", IsoDateText::write(CalendarDate::fromQDateTime(event.startDate)))
        .add("end", IsoDateText::write(CalendarDate::fromQDateTime(event.endDate)))
        .add("allDay", event.isAllDay)
        .add("title", event.title)
        .add("calendar", calendar)
        .add("description", description.descriptionOfEvent(event, now));
    return {json.text(), true};
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

} // namespace

int ParseCommand::run(const QStringList& arguments, std::FILE* input, std::FILE* output, std::FILE* errors) {
    QString error;
    const std::optional<ParseOptions> options = ParseOptions::read(arguments, error);
    if (!options)
        return CommandOutput::fail(errors, "parse", error, 2);
    try {
        EntryLineApplier applier(calendarsNamed(options->calendarNames), options->dayMonthOrder);
        auto formatter = std::make_shared<DateFormatter>();
        formatter->setLocale(requiredLocale());
        formatter->setTimeModeHours(options->timeModeHours);
        const EventDescription description(formatter);
        auto base = CalEvent::event();
        base->title = QStringLiteral("New Event");
        base->startDate =
            options->baseStart.value_or(CalendarDate::dateWithDate(options->now, {12, 0, 0})).toQDateTime();
        base->endDate =
            options->baseEnd.value_or(CalendarDate::dateWithDate(options->now, {13, 0, 0})).toQDateTime();
        if (options->line != u"-") {
            const auto [json, understood] =
                describe(applier, description, *base, options->line, options->now);
            CommandOutput::write(output, json);
            return understood ? 0 : 1;
        }
        // One answer per line, flushed only when the input has no further line ready (see LineReader).
        LineReader reader(fileno(input), output);
        QByteArray line;
        while (reader.next(line)) {
            const QByteArray json =
                describe(applier, description, *base, QString::fromUtf8(line), options->now).first;
            std::fwrite(json.constData(), 1, size_t(json.size()), output);
        }
        std::fflush(output);
        return 0;
    } catch (const InternalInconsistency& failure) {
        return CommandOutput::fail(errors, "parse", QStringLiteral("internal error: %1").arg(failure.what()),
                                   70);
    }
}
