#pragma once

#include "DateForm.h"
#include "IcsEventData.h"
#include "IcsRecurrence.h"
#include "IcsZoneTable.h"

#include <QStringList>

#include <libical/ical.h>

#include <optional>

// Turns one VEVENT of a parsed file into the data a series keeps. Times are taken from the property
// values and their TZID parameters, never through libical's own zone lookup, which loads its built-in
// zones from disk.
class IcsEventReader {
public:
    IcsEventReader(IcsZoneTable& zones, QStringList& warnings);

    // Nothing for a VEVENT without a usable DTSTART.
    std::optional<IcsEventData> read(icalcomponent* vevent);
    IcsRecurrence readRecurrence(icalcomponent* vevent);
    // How a DTSTART or RECURRENCE-ID is written.
    static DateForm formOf(icalproperty* property);

private:
    std::optional<IcsTime> timeOf(icalproperty* property);
    // A value of the property, with the property's TZID.
    std::optional<IcsTime> timeOf(const icaltimetype& time, icalproperty* property);
    // An RDATE of date-time periods (start/end or start/duration).
    std::optional<IcsRecurrence::Period> periodOf(icalproperty* property);
    static IcsEventData::Duration durationBetween(const IcsTime& start, const IcsTime& end);
    static IcsEventData::Duration durationOf(const icaldurationtype& value);
    // A negative duration said once and read as none.
    IcsEventData::Duration checked(IcsEventData::Duration duration);
    IcsEventData::Duration durationOf(icalcomponent* vevent, const IcsTime& start);
    std::optional<IcsEventData::Alarm> alarmOf(icalcomponent* valarm);

    IcsZoneTable& m_zones;
    QStringList& m_warnings;
};
