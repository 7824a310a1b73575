#include "ImportCommand.h"

#include "CommandLineOptions.h"
#include "CommandOutput.h"
#include "EditableCalendars.h"
#include "StoreSession.h"
#include "base/BoundedFile.h"
#include "base/VisibleText.h"
#include "store/CalendarSortOrder.h"
#include "store/anyRecordOfSeries.h"
#include "store/vdir/VdirItem.h"

#include <cstdio>

int ImportCommand::run(const QStringList& arguments, std::FILE* input, std::FILE* output, std::FILE* errors) {
    QString error;
    const auto options = CommandLineOptions::read(arguments, {"--calendar"}, {"--quiet"}, error);
    if (!options)
        return CommandOutput::fail(errors, "import", error, 2);
    if (options->positional().size() != 1)
        return CommandOutput::fail(errors, "import",
                                   QStringLiteral("give one file to import, or - for standard input"), 2);
    const QString name = options->positional().front();
    const BoundedFile::Contents contents =
        name == u"-" ? BoundedFile::readStream(::fileno(input), VdirItem::MAX_FILE_SIZE)
                     : BoundedFile::read(name, VdirItem::MAX_FILE_SIZE, BoundedFile::Links::Follow);
    if (contents.tooLarge)
        return CommandOutput::fail(
            errors, "import",
            QStringLiteral("%1 is larger than %2 MB").arg(name).arg(VdirItem::MAX_FILE_SIZE >> 20), 1);
    if (contents.outcome != BoundedFile::Outcome::Read)
        return CommandOutput::fail(errors, "import",
                                   QStringLiteral("%1 cannot be read: %2")
                                       .arg(name, contents.outcome == BoundedFile::Outcome::Missing
                                                      ? QStringLiteral("no such file")
                                                      : contents.why),
                                   1);

    const std::unique_ptr<StoreSession> session =
        StoreSession::open(error, options->has("--quiet") ? nullptr : errors);
    if (!session)
        return CommandOutput::fail(errors, "import", error, 1);
    VdirCalendarStore& store = session->store();
    const EditableCalendars editable(CalendarSortOrder::sorted(store.calendars()));
    std::shared_ptr<CalCalendar> calendar = editable.all().isEmpty() ? nullptr : editable.all().front();
    if (options->has("--calendar")) {
        calendar = editable.named(options->value("--calendar"));
        if (!calendar)
            return CommandOutput::fail(
                errors, "import",
                QStringLiteral("there is no editable calendar \"%1\"").arg(options->value("--calendar")), 2);
    }
    if (!calendar)
        return CommandOutput::fail(errors, "import",
                                   QStringLiteral("there is no editable calendar to import into"), 1);

    const VdirCalendarStore::ImportResult result = store.importCalendarText(calendar->uid, contents.bytes);
    if (result.error)
        return CommandOutput::fail(
            errors, "import",
            QStringLiteral("%1 %2").arg(result.error->description, result.error->recoverySuggestion), 1);
    for (const QString& reason : result.skipped)
        CommandOutput::write(
            errors, QStringLiteral("verdalune-cli import: %1\n").arg(VisibleText::escaped(reason)).toUtf8());
    for (const QString& uid : result.importedUids) {
        const std::shared_ptr<CalEvent> record = anyRecordOfSeries(store, uid);
        CommandOutput::write(output, QStringLiteral("%1\t%2\n")
                                         .arg(VisibleText::escaped(uid),
                                              VisibleText::escaped(record ? record->title : QString()))
                                         .toUtf8());
    }
    return result.importedUids.isEmpty() ? 1 : 0;
}
