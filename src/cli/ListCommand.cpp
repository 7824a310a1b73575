#include "ListCommand.h"

#include "CommandLineOptions.h"
#include "CommandOutput.h"
#include "EventJson.h"
#include "IsoDateText.h"
#include "StoreSession.h"
#include "base/VisibleText.h"

namespace {

std::optional<CalendarDate> dateOption(const CommandLineOptions& options, const char* name,
                                       const CalendarDate& fallback, QString& error) {
    return options.has(name) ? IsoDateText::readOption(options, name, error) : fallback;
}

std::optional<QString> local(const QDateTime& moment) {
    const std::optional<QString> iso = IsoDateText::write(CalendarDate::fromQDateTime(moment));
    return iso ? std::optional(iso->left(16).replace(u'T', u' ')) : std::nullopt;
}

std::optional<QByteArray> textLine(const CalEvent& event) {
    const std::optional<QString> start = local(event.startDate), end = local(event.endDate);
    if (!start || !end)
        return std::nullopt;
    const QString when = event.isAllDay ? start->left(10) + QStringLiteral(" (all day)")
                                        : *start + QStringLiteral(" – ") + *end;
    return QStringLiteral("%1  %2  [%3]\n")
        .arg(when, VisibleText::escaped(event.title), VisibleText::escaped(event.calendar->title))
        .toUtf8();
}

} // namespace

int ListCommand::run(const QStringList& arguments, std::FILE* output, std::FILE* errors) {
    QString error;
    const auto options =
        CommandLineOptions::read(arguments, {"--from", "--to"}, {"--json", "--quiet"}, error);
    if (!options || !options->positional().isEmpty())
        return CommandOutput::fail(errors, "list", options ? QStringLiteral("takes no arguments") : error, 2);
    const CalendarDate today = CalendarDate::now().truncateToDay();
    const std::optional<CalendarDate> from = dateOption(*options, "--from", today, error);
    const std::optional<CalendarDate> to = dateOption(*options, "--to", today.dateByAddingDays(8), error);
    if (!from || !to)
        return CommandOutput::fail(errors, "list", error, 2);
    if (*to < *from)
        return CommandOutput::fail(errors, "list", QStringLiteral("--to is earlier than --from"), 2);
    const std::unique_ptr<StoreSession> session =
        StoreSession::open(error, options->has("--quiet") ? nullptr : errors);
    if (!session)
        return CommandOutput::fail(errors, "list", error, 1);

    EventList events =
        session->store().events(from->toQDateTime(), to->toQDateTime(), session->store().calendars());
    std::stable_sort(events.begin(), events.end(), [](const auto& a, const auto& b) {
        return a->startDate != b->startDate ? a->startDate < b->startDate : a->title < b->title;
    });
    int status = 0;
    for (const auto& event : events) {
        const std::optional<QByteArray> line =
            options->has("--json") ? EventJson::line(*event) : textLine(*event);
        if (line) {
            CommandOutput::write(output, *line);
            continue;
        }
        // Printed as some other date it would be a wrong answer; said, the rest of the list still stands.
        CommandOutput::fail(
            errors, "list",
            QStringLiteral("\"%1\" (%2) is not listed: its dates lie outside the years 1-9999")
                .arg(event->title, event->uid),
            1);
        status = 1;
    }
    return status;
}
