#include "ParseCommand.h"

#include "CommandOutput.h"
#include "EntryLineApplier.h"
#include "IsoDateText.h"
#include "JsonLine.h"
#include "ParseOptions.h"
#include "base/InternalInconsistency.h"
#include "dates/DateFormatter.h"
#include "dates/EventDescription.h"
#include "dates/dateUtilities.h"

#include <QUuid>

#include <string>

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

// Reads one line of standard input without its line break; false at the end of the input.
bool readLine(std::FILE* input, std::string& line) {
    line.clear();
    int c;
    while ((c = std::fgetc(input)) != EOF) {
        if (c == '\n')
            break;
        line.push_back(char(c));
    }
    if (c == EOF && line.empty())
        return false;
    if (!line.empty() && line.back() == '\r')
        line.pop_back();
    return true;
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
        std::string line;
        while (readLine(input, line)) {
            const QString text = QString::fromUtf8(line.data(), qsizetype(line.size()));
            CommandOutput::write(output, describe(applier, description, *base, text, options->now).first);
        }
        return 0;
    } catch (const InternalInconsistency& failure) {
        return CommandOutput::fail(errors, "parse", QStringLiteral("internal error: %1").arg(failure.what()),
                                   70);
    }
}
