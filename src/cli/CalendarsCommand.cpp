#include "CalendarsCommand.h"

#include "CommandLineOptions.h"
#include "CommandOutput.h"
#include "JsonLine.h"
#include "StoreSession.h"

namespace {

QString typeName(const CalCalendar& calendar) {
    if (calendar.type == CalCalendarTypeCalDAV)
        return QStringLiteral("caldav");
    if (calendar.type == CalCalendarTypeSubscription)
        return QStringLiteral("subscription");
    return QStringLiteral("local");
}

// One field of a tab-separated line: a line break or tab in a name would split the calendar over lines or
// fields, so control characters are written as escapes, and the backslash too so that they stay readable.
QString field(const QString& text) {
    QString result;
    result.reserve(text.size());
    for (const QChar c : text) {
        switch (c.unicode()) {
        case u'\\':
            result += QStringLiteral("\\\\");
            break;
        case u'\n':
            result += QStringLiteral("\\n");
            break;
        case u'\r':
            result += QStringLiteral("\\r");
            break;
        case u'\t':
            result += QStringLiteral("\\t");
            break;
        default:
            if (c.category() == QChar::Other_Control || c.category() == QChar::Separator_Line ||
                c.category() == QChar::Separator_Paragraph)
                result += QStringLiteral("\\u%1").arg(c.unicode(), 4, 16, QChar(u'0'));
            else
                result += c;
        }
    }
    return result;
}

} // namespace

int CalendarsCommand::run(const QStringList& arguments, std::FILE* output, std::FILE* errors) {
    QString error;
    const auto options = CommandLineOptions::read(arguments, {}, {"--json"}, error);
    if (!options || !options->positional().isEmpty())
        return CommandOutput::fail(errors, "calendars",
                                   options ? QStringLiteral("takes no arguments") : error, 2);
    const std::unique_ptr<StoreSession> session = StoreSession::open(error);
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
                            .arg(field(calendar->title), field(calendar->uid), field(calendar->color),
                                 calendar->isEditable ? "editable" : "read-only", typeName(*calendar))
                            .toUtf8());
        }
    }
    return 0;
}
