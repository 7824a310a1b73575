#include "CalendarsCommand.h"

#include "CommandLineOptions.h"
#include "CommandOutput.h"
#include "JsonLine.h"
#include "StoreSession.h"
#include "base/VisibleText.h"

namespace {

QString typeName(const CalCalendar& calendar) {
    if (calendar.type == CalCalendarTypeCalDAV)
        return QStringLiteral("caldav");
    if (calendar.type == CalCalendarTypeSubscription)
        return QStringLiteral("subscription");
    return QStringLiteral("local");
}

} // namespace

int CalendarsCommand::run(const QStringList& arguments, std::FILE* output, std::FILE* errors) {
    QString error;
    const auto options = CommandLineOptions::read(arguments, {}, {"--json", "--quiet"}, error);
    if (!options || !options->positional().isEmpty())
        return CommandOutput::fail(errors, "calendars",
                                   options ? QStringLiteral("takes no arguments") : error, 2);
    const std::unique_ptr<StoreSession> session =
        StoreSession::open(error, options->has("--quiet") ? nullptr : errors);
    if (!session)
        return CommandOutput::fail(errors, "calendars", error, 1);
    for (const auto& calendar : session->store().calendars()) {
        if (options->has("--json")) {
            CommandOutput::write(output, JsonLine()
                                             .add("uid", calendar->uid)
                                             .add("title", calendar->title)
                                             .add("color", calendar->color)
                                             .add("editable", calendar->isEditable)
                                             .add("type", typeName(*calendar))
                                             .text());
        } else {
            CommandOutput::write(
                output, QStringLiteral("%1\t%2\t%3\t%4\t%5\n")
                            .arg(VisibleText::escaped(calendar->title), VisibleText::escaped(calendar->uid),
                                 VisibleText::escaped(calendar->color),
                                 calendar->isEditable ? "editable" : "read-only", typeName(*calendar))
                            .toUtf8());
        }
    }
    return 0;
}
