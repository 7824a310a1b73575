#include "AddCommand.h"

#include "CommandLineOptions.h"
#include "CommandOutput.h"
#include "EditableCalendars.h"
#include "EntryLineApplier.h"
#include "IsoDateText.h"
#include "StoreSession.h"
#include "base/VisibleText.h"
#include "dates/DateFormatter.h"
#include "dates/EventDescription.h"
#include "dates/dateUtilities.h"
#include "store/RememberedCalendar.h"

int AddCommand::run(const QStringList& arguments, std::FILE* output, std::FILE* errors) {
    QString error;
    const auto options = CommandLineOptions::read(arguments, {"--now", "--calendar"}, {"--quiet"}, error);
    if (!options)
        return CommandOutput::fail(errors, "add", error, 2);
    if (options->positional().size() != 1)
        return CommandOutput::fail(errors, "add",
                                   QStringLiteral("give the entry line as one argument (quote it)"), 2);
    CalendarDate now = CalendarDate::now();
    if (options->has("--now")) {
        const std::optional<CalendarDate> given = IsoDateText::readOption(*options, "--now", error);
        if (!given)
            return CommandOutput::fail(errors, "add", error, 2);
        now = *given;
    }
    const std::unique_ptr<StoreSession> session =
        StoreSession::open(error, options->has("--quiet") ? nullptr : errors);
    if (!session)
        return CommandOutput::fail(errors, "add", error, 1);
    CalendarController& controller = session->calendarController();
    controller.setNeedsRangeStartDate(now.toQDateTime(), now.toQDateTime());

    const EditableCalendars editable(session->model().calendars());
    // Without a calendar named, where the window's New Event would put it.
    RememberedCalendar::restore(session->model(), session->defaults());
    std::shared_ptr<CalEvent> base = controller.createNewEvent();
    base->startDate = CalendarDate::dateWithDate(now, {12, 0, 0}).toQDateTime();
    base->endDate = CalendarDate::dateWithDate(now, {13, 0, 0}).toQDateTime();
    if (options->has("--calendar")) {
        base->calendar = editable.named(options->value("--calendar"));
        if (!base->calendar)
            return CommandOutput::fail(
                errors, "add",
                QStringLiteral("there is no editable calendar \"%1\"").arg(options->value("--calendar")), 2);
    }
    EntryLineApplier applier(editable.all(), defaultDayMonthOrder());
    const std::optional<EntryLineApplier::Result> result =
        applier.apply(*base, options->positional().front(), now);
    if (!result)
        return CommandOutput::fail(errors, "add", QStringLiteral("the line is not understood"), 1);
    const CalEvent& event = *result->event;
    if (!event.calendar || !event.calendar->isEditable)
        return CommandOutput::fail(errors, "add",
                                   QStringLiteral("there is no editable calendar to add the event to"), 1);
    controller.addEvent(event);
    if (const std::optional<QString> alert = session->firstAlert())
        return CommandOutput::fail(errors, "add", *alert, 1);

    auto formatter = std::make_shared<DateFormatter>();
    formatter->setLocale(requiredLocale());
    formatter->setTimeModeHours(defaultSystemTimeModeHours());
    CommandOutput::write(
        output, QStringLiteral("%1\t%2\n")
                    .arg(VisibleText::escaped(event.uid),
                         VisibleText::escaped(EventDescription(formatter).descriptionOfEvent(event, now)))
                    .toUtf8());
    return 0;
}
