#pragma once

#include "DateForm.h"
#include "IcsEventData.h"
#include "RecurrenceExpander.h"
#include "records/CalRecurrenceRule.h"

#include <QList>
#include <QString>

#include <memory>
#include <optional>

// Everything one series keeps: a master (absent when a file holds only moved occurrences), its
// overrides, and for a master with RRULE or RDATE the expander of its occurrences. IcsSeriesCodec writes
// every field into the store's index: a new field goes there too.
struct IcsSeriesData {
    QString uid;
    std::optional<IcsEventData> master;
    QList<IcsEventData> overrides;                 // each has a recurrenceId
    std::unique_ptr<RecurrenceExpander> expander;  // a master with RRULE or RDATE
    std::shared_ptr<const CalRecurrenceRule> rule; // the RRULE as a record, when a record can hold it
    DateForm startForm;
    WallClockZone zone; // of DTSTART, in which RECURRENCE-IDs are written

    // Gives the master (already set, like `zone`) its RRULE, RDATEs and EXDATEs.
    void setRecurrence(IcsRecurrence recurrence);
};
