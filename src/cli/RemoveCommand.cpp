#include "RemoveCommand.h"

#include "CommandLineOptions.h"
#include "CommandOutput.h"
#include "IsoDateText.h"
#include "StoreSession.h"
#include "base/VisibleText.h"
#include "store/anyRecordOfSeries.h"

namespace {

// A record of the event: the one of `occurrence` when given, else any.
std::shared_ptr<CalEvent> findRecord(CalendarStore& store, const QString& uid,
                                     const std::optional<CalendarDate>& occurrence) {
    const CalendarList calendars = store.calendars();
    if (occurrence) {
        const QDateTime moment = occurrence->toQDateTime();
        for (const auto& record : store.events(moment.addDays(-1), moment.addDays(1), uid, calendars)) {
            if (record->occurrence == moment ||
                (!record->occurrence.isValid() && record->startDate == moment))
                return record;
        }
        return nullptr;
    }
    return anyRecordOfSeries(store, uid);
}

} // namespace

int RemoveCommand::run(const QStringList& arguments, std::FILE* output, std::FILE* errors) {
    QString error;
    const auto options = CommandLineOptions::read(arguments, {"--occurrence", "--span"}, {"--quiet"}, error);
    if (!options)
        return CommandOutput::fail(errors, "remove", error, 2);
    if (options->positional().size() != 1)
        return CommandOutput::fail(errors, "remove", QStringLiteral("give the uid of the event"), 2);
    std::optional<CalendarDate> occurrence;
    if (options->has("--occurrence")) {
        occurrence = IsoDateText::readOption(*options, "--occurrence", error);
        if (!occurrence)
            return CommandOutput::fail(errors, "remove", error, 2);
    }
    CalSpan span = occurrence ? CalSpan::ThisEvent : CalSpan::AllEvents;
    if (options->has("--span")) {
        const QString value = options->value("--span");
        if (value != u"0" && value != u"1" && value != u"2")
            return CommandOutput::fail(errors, "remove",
                                       QStringLiteral("--span must be 0, 1 or 2, not \"%1\"").arg(value), 2);
        span = CalSpan(value.toInt());
    }
    const std::unique_ptr<StoreSession> session =
        StoreSession::open(error, options->has("--quiet") ? nullptr : errors);
    if (!session)
        return CommandOutput::fail(errors, "remove", error, 1);
    const QString uid = options->positional().front();
    const std::shared_ptr<CalEvent> record = findRecord(session->store(), uid, occurrence);
    if (!record)
        return CommandOutput::fail(errors, "remove",
                                   occurrence ? QStringLiteral("the event %1 has no occurrence at %2")
                                                    .arg(uid, options->value("--occurrence"))
                                              : QStringLiteral("there is no event %1").arg(uid),
                                   1);
    // Without an occurrence, "this one" or "this and later" would pick one arbitrarily.
    const bool repeats = record->occurrence.isValid();
    if (repeats && !occurrence && span != CalSpan::AllEvents)
        return CommandOutput::fail(
            errors, "remove",
            QStringLiteral("the event %1 repeats: --span 0 and 1 need --occurrence").arg(uid), 2);
    if (const std::optional<StoreError> failed = session->store().removeEvent(*record, span))
        return CommandOutput::fail(
            errors, "remove", QStringLiteral("%1 %2").arg(failed->description, failed->recoverySuggestion),
            1);
    CommandOutput::write(output, QStringLiteral("removed %1\n").arg(VisibleText::escaped(uid)).toUtf8());
    return 0;
}
