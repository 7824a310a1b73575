#pragma once

#include "IcsRecurrence.h"
#include "IcsTime.h"

#include <QList>

#include <cstdint>
#include <functional>
#include <optional>

// The original starts of a recurring series: DTSTART, the instances of each RRULE and the RDATEs, less the
// EXDATEs. An RDATE that is a period gives its occurrence a length of its own. The RRULE runs on clock
// readings in the series' zone, each then made an instant, because libical's own expansion mishandles
// daylight-saving changes. Expanding stops at the end of the window asked for, and after MAX_ITERATIONS
// instances, so no rule can hang a query; the first such stop is logged.
//
// A DTSTART that the RRULE does not produce is still the first occurrence, and COUNT counts it (most
// producers expect this). An UNTIL before DTSTART leaves no occurrence at all.
class RecurrenceExpander {
public:
    static constexpr int MAX_ITERATIONS = 100000;

    RecurrenceExpander(const IcsTime& start, IcsRecurrence recurrence);

    // Ascending and without duplicates, in [from, to).
    QList<qint64> starts(qint64 from, qint64 to) const;
    // Whether an EXDATE removes the occurrence that starts at `msecs`, on the day `dayNumber` of the
    // series' zone (a DATE EXDATE removes its whole day).
    bool excludes(qint64 msecs, qint64 dayNumber) const;
    // The instances of the RRULE numbered `rule` (in file order), DTSTART included, that start before
    // `msecs`: what its COUNT counts, so EXDATEs do not lower it and RDATEs do not raise it.
    int ruleInstancesBefore(qsizetype rule, qint64 msecs) const;
    // The RDATE period that starts at `msecs`, if one does.
    std::optional<IcsRecurrence::Period> periodAt(qint64 msecs) const;
    // The first original start that no EXDATE removes.
    std::optional<qint64> first() const;

    // The first instance the RRULEs themselves give, DTSTART only when one gives it; none without an RRULE
    // or when COUNT or UNTIL ends every rule first.
    std::optional<qint64> firstRuleInstance() const;

    const WallClockZone& zone() const { return m_start.zone; }
    const IcsRecurrence& recurrence() const { return m_recurrence; }

private:
    // Instants of the dates, valid while the default zone stays the same.
    struct Resolved {
        std::uint64_t generation = 0;
        QList<qint64> exdates;                                   // ascending
        QList<qint64> exdays;                                    // day numbers of DATE EXDATEs, ascending
        QList<qint64> rdates;                                    // ascending, the starts of periods included
        QList<std::pair<qint64, IcsRecurrence::Period>> periods; // by start, ascending
    };
    struct Window {
        std::uint64_t generation = 0;
        qint64 from = 0;
        qint64 to = 0;
        QList<qint64> starts;
    };

    const Resolved& resolved() const;
    // The RRULEs, or one empty rule (DTSTART alone) for a series of RDATEs.
    QList<QByteArray> rules() const;
    // False when no instance of `rrule` can start in [from, to): the window ends before DTSTART or
    // begins after UNTIL.
    bool ruleMayOccurIn(const QByteArray& rrule, qint64 from, qint64 to) const;
    // Calls `visit` with each instance of `rrule` in order, DTSTART first (with `withStart`, also when the
    // rule does not give it), until it returns false.
    void forEachRuleInstance(const QByteArray& rrule,
                             const std::function<bool(qint64 msecs, const WallTime& wall)>& visit,
                             bool withStart = true) const;

    IcsTime m_start;
    IcsRecurrence m_recurrence;
    mutable Resolved m_resolved;
    mutable Window m_window;
    mutable bool m_stopLogged = false;
};
