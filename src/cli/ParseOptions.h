#pragma once

#include "dates/CalendarDate.h"

#include <QString>
#include <QStringList>

#include <optional>

// The options of `verdalune-cli parse`, checked and converted. Date-times are read in the chosen zone,
// so reading sets the default time zone.
struct ParseOptions {
    CalendarDate now;
    int dayMonthOrder = 0;
    int timeModeHours = 24;
    QStringList calendarNames;
    std::optional<CalendarDate> baseStart;
    std::optional<CalendarDate> baseEnd;
    QString line; // "-": read lines from standard input

    // Nothing, with a message in `error`, when the arguments are not usable.
    static std::optional<ParseOptions> read(const QStringList& arguments, QString& error);
};
