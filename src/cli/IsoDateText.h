#pragma once

#include "dates/CalendarDate.h"

#include <QString>

#include <optional>

// Date-times as the command line reads and writes them: "YYYY-MM-DDTHH:MM[:SS]" in the default time
// zone, or with an explicit "Z" or "+hh:mm" offset.
class IsoDateText {
public:
    static std::optional<CalendarDate> read(const QString& text);
    // "YYYY-MM-DDTHH:MM:SS+hh:mm" in the default time zone.
    static QString write(const CalendarDate& date);
};
