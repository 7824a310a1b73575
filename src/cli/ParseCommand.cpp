#include "ParseCommand.h"

#include "IsoDateText.h"
#include "JsonLine.h"
#include "ParseOptions.h"
#include "app/InternalInconsistency.h"
#include "dates/DateFormatter.h"
#include "dates/EventDescription.h"
#include "dates/dateUtilities.h"
#include "entry/CalEventBuilder.h"
#include "entry/ParsingController.h"

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

void write(std::FILE* stream, const QByteArray& text) {
    std::fwrite(text.constData(), 1, size_t(text.size()), stream);
    std::fflush(stream);
}

class LineApplier {
public:
    explicit LineApplier(const ParseOptions& options) : m_options(options) {
        m_controller.setCalendarNames(options.calendarNames);
        m_controller.setDayMonthOrder(options.dayMonthOrder);
        std::vector<std::shared_ptr<CalCalendar>> calendars;
        for (const QString& name : options.calendarNames) {
            auto calendar = CalCalendar::calendar();
            calendar->uid = QUuid::createUuid().toString(QUuid::WithoutBraces);
            calendar->title = name;
            calendars.push_back(calendar);
        }
        m_builder.setCalendars(calendars);
        auto formatter = std::make_shared<DateFormatter>();
        formatter->setLocale(requiredLocale());
        formatter->setTimeModeHours(options.timeModeHours);
        m_description = std::make_unique<EventDescription>(formatter);

        m_base = CalEvent::event();
        m_base->title = QStringLiteral("New Event");
        const CalendarDate start =
            m_options.baseStart.value_or(CalendarDate::dateWithDate(options.now, {12, 0, 0}));
        const CalendarDate end =
            m_options.baseEnd.value_or(CalendarDate::dateWithDate(options.now, {13, 0, 0}));
        m_base->startDate = start.toQDateTime();
        m_base->endDate = end.toQDateTime();
    }

    // The JSON line for one entry line, and whether it was understood.
    std::pair<QByteArray, bool> apply(const QString& line) {
        const std::optional<ParseTreeNode> tree = m_controller.parseEvent(line);
        if (!tree)
            return {JsonLine().add("error", QStringLiteral("not understood")).text(), false};
        const std::shared_ptr<CalEvent> event = m_base->copy();
        m_builder.updateEvent(*event, *tree, m_options.now);
        const std::optional<QString> calendar =
            event->calendar ? std::optional<QString>(event->calendar->title) : std::nullopt;
        JsonLine json;
        json.add("shape", shapeName(tree->type()))
            .add("start", IsoDateText::write(CalendarDate::fromQDateTime(event->startDate)))
            .add("end", IsoDateText::write(CalendarDate::fromQDateTime(event->endDate)))
            .add("allDay", event->isAllDay)
            .add("title", event->title)
            .add("calendar", calendar)
            .add("description", m_description->descriptionOfEvent(*event, m_options.now));
        return {json.text(), true};
    }

private:
    const ParseOptions& m_options;
    ParsingController m_controller;
    CalEventBuilder m_builder;
    std::unique_ptr<EventDescription> m_description;
    std::shared_ptr<CalEvent> m_base;
};

} // namespace

int ParseCommand::run(const QStringList& arguments, std::FILE* input, std::FILE* output, std::FILE* errors) {
    QString error;
    const std::optional<ParseOptions> options = ParseOptions::read(arguments, error);
    if (!options) {
        write(errors, QStringLiteral("verdalune-cli parse: %1\n").arg(error).toUtf8());
        return 2;
    }
    try {
        LineApplier applier(*options);
        if (options->line != u"-") {
            const auto [json, understood] = applier.apply(options->line);
            write(output, json);
            return understood ? 0 : 1;
        }
        std::string line;
        while (readLine(input, line))
            write(output, applier.apply(QString::fromUtf8(line.data(), qsizetype(line.size()))).first);
        return 0;
    } catch (const InternalInconsistency& failure) {
        write(errors,
              QStringLiteral("verdalune-cli parse: internal error: %1\n").arg(failure.what()).toUtf8());
        return 70;
    }
}
