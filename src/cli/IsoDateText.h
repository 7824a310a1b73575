#pragma once

#include "CommandLineOptions.h"
#include "dates/CalendarDate.h"

#include <QString>

#include <optional>

// Date-times as the command line reads and writes them: "YYYY-MM-DDTHH:MM[:SS]" in the default time
// zone, or with an explicit "Z" or "+hh:mm" offset. A date alone reads as its midnight.
class IsoDateText {
public:
    static std::optional<CalendarDate> read(const QString& text);
    // The value of a date-time option; nothing, with a message in `error`, when it is not one.
    static std::optional<CalendarDate> readOption(const CommandLineOptions& options, const QString& name,
                                                  QString& error);
    // "YYYY-MM-DDTHH:MM:SS+hh:mm" in the default time zone; nothing for an instant beyond the years
    // 1-9999 that the form holds.
    static std::optional<QString> write(const CalendarDate& date);
};
