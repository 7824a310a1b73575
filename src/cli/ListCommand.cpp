#include "ListCommand.h"

#include "CommandLineOptions.h"
#include "CommandOutput.h"
#include "EventJson.h"
#include "IsoDateText.h"
#include "StoreSession.h"

namespace {

std::optional<CalendarDate> dateOption(const CommandLineOptions& options, const char* name,
                                       const CalendarDate& fallback, QString& error) {
    return options.has(name) ? IsoDateText::readOption(options, name, error) : fallback;
}

QString local(const QDateTime& moment) {
    return IsoDateText::write(CalendarDate::fromQDateTime(moment)).left(16).replace(u'T', u' ');
}

} // namespace

int ListCommand::run(const QStringList& arguments, std::FILE* output, std::FILE* errors) {
    QString error;
    const auto options = CommandLineOptions::read(arguments, {"--from", "--to"}, {"--json"}, error);
    if (!options || !options->positional().isEmpty())
        return CommandOutput::fail(errors, "list", options ? QStringLiteral("takes no arguments") : error, 2);
    const CalendarDate today = CalendarDate::now().truncateToDay();
    const std::optional<CalendarDate> from = dateOption(*options, "--from", today, error);
    const std::optional<CalendarDate> to = dateOption(*options, "--to", today.dateByAddingDays(8), error);
    if (!from || !to)
        return CommandOutput::fail(errors, "list", error, 2);
    if (*to < *from)
        return CommandOutput::fail(errors, "list", QStringLiteral("--to is earlier than --from"), 2);
    const std::unique_ptr<StoreSession> session = StoreSession::open(error);
    if (!session)
        return CommandOutput::fail(errors, "list", error, 1);

    EventList events =
        session->store().events(from->toQDateTime(), to->toQDateTime(), session->store().calendars());
    std::stable_sort(events.begin(), events.end(), [](const auto& a, const auto& b) {
        return a->startDate != b->startDate ? a->startDate < b->startDate : a->title < b->title;
    });
    for (const auto& event : events) {
        if (options->has("--json")) {
            CommandOutput::write(output, EventJson::line(*event));
            continue;
        }
        const QString when = event->isAllDay
                                 ? local(event->startDate).left(10) + QStringLiteral(" (all day)")
                                 : local(event->startDate) + QStringLiteral(" – ") + local(event->endDate);
        CommandOutput::write(
            output,
            QStringLiteral("%1  %2  [%3]\n").arg(when, event->title, event->calendar->title).toUtf8());
    }
    return 0;
}
