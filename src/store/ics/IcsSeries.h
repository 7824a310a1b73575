#pragma once

#include "DateForm.h"
#include "WallClockZone.h"
#include "records/CalEvent.h"

#include <QDateTime>
#include <QList>
#include <QString>

#include <memory>
#include <utility>

struct IcsSeriesData;

// The events of one UID in a calendar file, as a compact value without libical's tree: a master VEVENT
// (possibly recurring) and the VEVENTs that override some of its occurrences.
//
// An override replaces the occurrence its RECURRENCE-ID names (compared as instants, or by day for a
// DATE); with RANGE=THISANDFUTURE it also gives its fields, duration and shift to every later
// occurrence that has no override of its own. An EXDATE removes an occurrence together with its
// override. Overrides without a master are shown on their own. A DTSTART that the RRULE does not
// produce is still the first occurrence, and COUNT counts it; an UNTIL before DTSTART leaves none.
// Several RRULEs give the union of their occurrences, and an RDATE period an occurrence as long as it.
class IcsSeries {
public:
    explicit IcsSeries(std::shared_ptr<const IcsSeriesData> data);

    QString uid() const;

    // One record per occurrence overlapping [from, to), ordered by start; a zero-length occurrence
    // overlaps when it starts inside. `occurrence` is the original start (invalid for an event that
    // does not repeat), `calendar` and `source` are left for the store.
    QList<std::shared_ptr<CalEvent>> occurrences(const QDateTime& from, const QDateTime& to) const;
    // The master as written, with its own DTSTART and DTEND; for a recurring series `occurrence` is
    // DTSTART. Null without a master.
    std::shared_ptr<CalEvent> masterRecord() const;

    bool hasMaster() const;
    // An RRULE or RDATE on the master, or any override.
    bool isRecurring() const;
    // For each RRULE of the master, in file order, how many of its instances start before
    // `originalStart`, DTSTART being the first: the number its COUNT counts, so EXDATEs are not
    // subtracted and RDATEs not added. A series split there keeps COUNT minus this for its later part.
    QList<int> occurrencesBefore(const QDateTime& originalStart) const;
    // The original start of the first occurrence no EXDATE removes; invalid without a master or when
    // every occurrence is removed.
    QDateTime firstOccurrence() const;

    // Instants between which every occurrence lies, widened by two days either way so that they also
    // hold for floating times read in another zone: a cache can tell from them which series a window
    // need not look at. The end is open (the largest number) for a rule without COUNT or UNTIL.
    std::pair<qint64, qint64> reach() const;
    // An RRULE without COUNT or UNTIL: the series never ends.
    bool isOpenEnded() const;

    // How DTSTART is written (for a series without a master: the first override's RECURRENCE-ID),
    // and the zone its clock readings are in.
    DateForm startForm() const;
    WallClockZone zone() const;

private:
    friend class IcsSeriesCodec;
    std::shared_ptr<const IcsSeriesData> d;
};
