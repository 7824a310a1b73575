#include "ParseOptions.h"

#include "IsoDateText.h"
#include "dates/DateEnvironment.h"
#include "dates/dateUtilities.h"

#include "CommandLineOptions.h"

namespace {

const QStringList VALUE_OPTIONS{"--now",       "--tz",         "--day-month-order", "--time-mode",
                                "--calendars", "--base-start", "--base-end"};

} // namespace

std::optional<ParseOptions> ParseOptions::read(const QStringList& arguments, QString& error) {
    const std::optional<CommandLineOptions> parsed =
        CommandLineOptions::read(arguments, VALUE_OPTIONS, {}, error);
    if (!parsed)
        return std::nullopt;
    const QStringList& positional = parsed->positional();
    if (positional.size() != 1) {
        error = positional.isEmpty()
                    ? QStringLiteral("missing the entry line (or - to read lines from standard input)")
                    : QStringLiteral("give the entry line as one argument (quote it)");
        return std::nullopt;
    }
    const CommandLineOptions& values = *parsed;

    ParseOptions options;
    options.line = positional.front();
    if (values.has(QStringLiteral("--tz")) && !DateEnvironment::setTimeZone(values.value("--tz"))) {
        error = QStringLiteral("--tz: unknown time zone \"%1\"").arg(values.value("--tz"));
        return std::nullopt;
    }
    options.now = CalendarDate::now();
    if (values.has(QStringLiteral("--now"))) {
        const auto now = IsoDateText::readOption(values, QStringLiteral("--now"), error);
        if (!now)
            return std::nullopt;
        options.now = *now;
    }
    // The locale's defaults are asked for only when no option gives them: the clock's costs a formatter.
    if (values.has(QStringLiteral("--day-month-order"))) {
        const auto order = values.readChoice(QStringLiteral("--day-month-order"), {"0", "1"}, error);
        if (!order)
            return std::nullopt;
        options.dayMonthOrder = *order;
    } else {
        options.dayMonthOrder = defaultDayMonthOrder();
    }
    if (values.has(QStringLiteral("--time-mode"))) {
        const auto mode = values.readChoice(QStringLiteral("--time-mode"), {"12", "24"}, error);
        if (!mode)
            return std::nullopt;
        options.timeModeHours = *mode;
    } else {
        options.timeModeHours = defaultSystemTimeModeHours();
    }
    for (const QString& name : values.value(QStringLiteral("--calendars")).split(u',', Qt::SkipEmptyParts)) {
        if (!name.trimmed().isEmpty())
            options.calendarNames.append(name);
    }
    const bool hasStart = values.has(QStringLiteral("--base-start"));
    if (hasStart != values.has(QStringLiteral("--base-end"))) {
        error = QStringLiteral("--base-start and --base-end go together");
        return std::nullopt;
    }
    if (hasStart) {
        options.baseStart = IsoDateText::readOption(values, QStringLiteral("--base-start"), error);
        if (!options.baseStart)
            return std::nullopt;
        options.baseEnd = IsoDateText::readOption(values, QStringLiteral("--base-end"), error);
        if (!options.baseEnd)
            return std::nullopt;
        if (*options.baseEnd < *options.baseStart) {
            error = QStringLiteral("--base-end is earlier than --base-start");
            return std::nullopt;
        }
    }
    return options;
}
