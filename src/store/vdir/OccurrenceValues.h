#pragma once

#include "store/ics/ContentLine.h"
#include "store/ics/DateForm.h"
#include "store/ics/WallClockZone.h"

#include <QDateTime>
#include <QList>

// The instants a RECURRENCE-ID, EXDATE or RDATE line names (an EXDATE or RDATE may list several). A TZID
// is read as `seriesZone` when it is the series' own TZID, else by its name; a DATE stands for 00:00 of its
// day and a floating time for the clock in the default zone. In an all-day series every value names the
// day it is written on, as the store reads it. Values that cannot be read are left out.
class OccurrenceValues {
public:
    static QList<QDateTime> instants(const ContentLine& line, const DateForm& seriesForm,
                                     const WallClockZone& seriesZone);
};
