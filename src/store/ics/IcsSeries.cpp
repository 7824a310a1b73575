#include "IcsSeries.h"

#include "IcsSeriesData.h"

#include <algorithm>
#include <limits>

namespace {

constexpr qint64 DAY_MSECS = 86400000;
// Room for a nominal day that runs longer across a daylight-saving change.
constexpr qint64 DST_SLACK_MSECS = 2 * 3600000;

// `form` tells whether the days are dates and in which zone they are counted.
qint64 endAfter(const IcsEventData::Duration& duration, const IcsTime& form, qint64 start) {
    qint64 end = start;
    if (duration.days != 0) {
        const WallClockZone& zone = form.zone;
        end = zone.toMSecs(zone.toWall(start).addingDays(duration.days));
    }
    if (!form.isDate)
        end += duration.seconds * 1000;
    return std::max(end, start);
}

qint64 endOf(const IcsEventData& part, qint64 start) {
    return endAfter(part.duration, part.start, start);
}

qint64 longest(const IcsEventData::Duration& duration) {
    return std::max<qint64>(0, duration.days * DAY_MSECS + DST_SLACK_MSECS + duration.seconds * 1000);
}

bool overlaps(qint64 start, qint64 end, qint64 from, qint64 to) {
    return start < to && (end > from || (end == start && start >= from));
}

QDateTime instant(qint64 msecs) {
    return QDateTime::fromMSecsSinceEpoch(msecs, Qt::UTC);
}

// The overrides as a query needs them: which originals they replace, and the THISANDFUTURE ones in
// the order of their RECURRENCE-IDs.
struct OverrideIndex {
    struct Range {
        qint64 from;  // the RECURRENCE-ID
        qint64 shift; // DTSTART minus RECURRENCE-ID
        const IcsEventData* part;
    };
    QList<qint64> ids;  // ascending
    QList<qint64> days; // of DATE RECURRENCE-IDs, ascending
    QList<Range> ranges;

    explicit OverrideIndex(const QList<IcsEventData>& overrides) {
        for (const IcsEventData& part : overrides) {
            const qint64 id = part.recurrenceId->toMSecs();
            if (part.recurrenceId->isDate)
                days.append(part.recurrenceId->wall.dayNumber());
            ids.append(id);
            if (part.thisAndFuture)
                ranges.append(Range{id, part.start.toMSecs() - id, &part});
        }
        std::sort(ids.begin(), ids.end());
        std::sort(days.begin(), days.end());
        std::sort(ranges.begin(), ranges.end(),
                  [](const Range& a, const Range& b) { return a.from < b.from; });
    }

    bool replaces(qint64 original, const WallClockZone& zone) const {
        return std::binary_search(ids.cbegin(), ids.cend(), original) ||
               (!days.isEmpty() &&
                std::binary_search(days.cbegin(), days.cend(), zone.toWall(original).dayNumber()));
    }

    const Range* rangeFor(qint64 original) const {
        const Range* found = nullptr;
        for (const Range& range : ranges)
            if (range.from <= original)
                found = &range;
        return found;
    }
};

std::shared_ptr<CalEvent> recordOf(const IcsSeriesData& series, const IcsEventData& part, qint64 start,
                                   qint64 end, std::optional<qint64> occurrence, bool detached) {
    auto record = CalEvent::event();
    record->uid = series.uid;
    if (occurrence)
        record->occurrence = instant(*occurrence);
    record->isDetached = detached;
    record->title = part.title;
    record->startDate = instant(start);
    record->endDate = instant(end);
    record->isAllDay = part.start.isDate;
    record->location = part.location;
    record->notes = part.notes;
    record->url = part.url;
    if (series.rule)
        record->recurrenceRule = series.rule->copy();
    record->attendees = part.attendees;
    record->organizer = part.organizer;
    for (const IcsEventData::Alarm& entry : part.alarms) {
        auto alarm = entry.alarm->copy();
        if (entry.relatedToEnd && !alarm->absoluteTrigger())
            alarm->setRelativeTrigger(alarm->relativeTrigger() + double(end - start) / 1000.0);
        record->alarms.append(alarm);
    }
    return record;
}

} // namespace

IcsSeries::IcsSeries(std::shared_ptr<const IcsSeriesData> data) : d(std::move(data)) {}

QString IcsSeries::uid() const {
    return d->uid;
}

bool IcsSeries::hasMaster() const {
    return d->master.has_value();
}

bool IcsSeries::isRecurring() const {
    return d->expander || !d->overrides.isEmpty();
}

DateForm IcsSeries::startForm() const {
    return d->startForm;
}

WallClockZone IcsSeries::zone() const {
    return d->zone;
}

bool IcsSeries::isOpenEnded() const {
    if (!d->expander)
        return false;
    const QList<QByteArray>& rrules = d->expander->recurrence().rrules;
    return std::any_of(rrules.cbegin(), rrules.cend(), [](const QByteArray& rrule) {
        return !rrule.contains("COUNT=") && !rrule.contains("UNTIL=");
    });
}

std::pair<qint64, qint64> IcsSeries::reach() const {
    constexpr qint64 PAD = 2 * DAY_MSECS;
    constexpr qint64 OPEN = std::numeric_limits<qint64>::max();
    if (d->master && !d->expander && d->overrides.isEmpty()) {
        const qint64 start = d->master->start.toMSecs();
        return {start - PAD, endOf(*d->master, start) + PAD};
    }
    if (isOpenEnded()) {
        qint64 first = d->master->start.toMSecs();
        for (const IcsTime& rdate : d->expander->recurrence().rdates)
            first = std::min(first, rdate.toMSecs());
        for (const IcsRecurrence::Period& period : d->expander->recurrence().periods)
            first = std::min(first, period.start.toMSecs());
        for (const IcsEventData& part : d->overrides)
            first = std::min({first, part.start.toMSecs(), part.recurrenceId->toMSecs()});
        return {first - PAD, OPEN};
    }
    // A bounded series: its occurrences, expanded once.
    qint64 first = OPEN, last = std::numeric_limits<qint64>::min();
    for (const auto& record : occurrences(QDateTime(QDate(1, 1, 1), QTime(0, 0), Qt::UTC),
                                          QDateTime(QDate(9999, 12, 31), QTime(0, 0), Qt::UTC))) {
        first = std::min(first, record->startDate.toMSecsSinceEpoch());
        last = std::max(last, record->endDate.toMSecsSinceEpoch());
    }
    return first > last ? std::pair<qint64, qint64>{0, 0} : std::pair{first - PAD, last + PAD};
}

QList<std::shared_ptr<CalEvent>> IcsSeries::occurrences(const QDateTime& from, const QDateTime& to) const {
    QList<std::shared_ptr<CalEvent>> result;
    if (!from.isValid() || !to.isValid())
        return result;
    const qint64 begin = from.toMSecsSinceEpoch();
    const qint64 end = to.toMSecsSinceEpoch();
    if (end <= begin)
        return result;

    if (d->master && !d->expander && d->overrides.isEmpty()) {
        const qint64 start = d->master->start.toMSecs();
        const qint64 stop = endOf(*d->master, start);
        if (overlaps(start, stop, begin, end))
            result.append(recordOf(*d, *d->master, start, stop, std::nullopt, false));
        return result;
    }

    const OverrideIndex index(d->overrides);
    for (const IcsEventData& part : d->overrides) {
        const qint64 id = part.recurrenceId->toMSecs();
        const qint64 day =
            part.recurrenceId->isDate ? part.recurrenceId->wall.dayNumber() : d->zone.toWall(id).dayNumber();
        if (d->expander && d->expander->excludes(id, day))
            continue;
        const qint64 start = part.start.toMSecs();
        const qint64 stop = endOf(part, start);
        if (overlaps(start, stop, begin, end))
            result.append(recordOf(*d, part, start, stop, id, true));
    }

    if (d->master && !d->expander) {
        const qint64 start = d->master->start.toMSecs();
        const qint64 stop = endOf(*d->master, start);
        if (!index.replaces(start, d->zone) && overlaps(start, stop, begin, end))
            result.append(recordOf(*d, *d->master, start, stop, std::nullopt, false));
    } else if (d->expander) {
        // Originals far enough before the window may still reach into it, shifted or long.
        qint64 reach = longest(d->master->duration);
        const QList<IcsRecurrence::Period>& periods = d->expander->recurrence().periods;
        const bool hasPeriods = !periods.isEmpty();
        for (const IcsRecurrence::Period& period : periods)
            reach = std::max(reach, longest(period.duration));
        qint64 earliestShift = 0;
        qint64 latestShift = 0;
        for (const OverrideIndex::Range& range : index.ranges) {
            reach = std::max(reach, longest(range.part->duration));
            earliestShift = std::min(earliestShift, range.shift);
            latestShift = std::max(latestShift, range.shift);
        }
        for (qint64 original : d->expander->starts(begin - reach - latestShift, end - earliestShift)) {
            if (index.replaces(original, d->zone))
                continue;
            const OverrideIndex::Range* range = index.rangeFor(original);
            const IcsEventData& part = range ? *range->part : *d->master;
            const qint64 start = original + (range ? range->shift : 0);
            // A period counts its days in the zone of its own start.
            const std::optional<IcsRecurrence::Period> period =
                range || !hasPeriods ? std::nullopt : d->expander->periodAt(original);
            const qint64 stop =
                period ? endAfter(period->duration, period->start, start) : endOf(part, start);
            if (overlaps(start, stop, begin, end))
                result.append(recordOf(*d, part, start, stop, original, range != nullptr));
        }
    }

    std::stable_sort(result.begin(), result.end(), [](const auto& a, const auto& b) {
        return a->startDate.toMSecsSinceEpoch() < b->startDate.toMSecsSinceEpoch();
    });
    return result;
}

std::shared_ptr<CalEvent> IcsSeries::masterRecord() const {
    if (!d->master)
        return nullptr;
    const qint64 start = d->master->start.toMSecs();
    return recordOf(*d, *d->master, start, endOf(*d->master, start),
                    d->expander ? std::optional(start) : std::nullopt, false);
}

QList<int> IcsSeries::occurrencesBefore(const QDateTime& originalStart) const {
    QList<int> result;
    if (!d->expander)
        return result;
    const qint64 msecs = originalStart.toMSecsSinceEpoch();
    for (qsizetype rule = 0; rule < d->expander->recurrence().rrules.size(); ++rule)
        result.append(d->expander->ruleInstancesBefore(rule, msecs));
    return result;
}

QDateTime IcsSeries::firstOccurrence() const {
    if (!d->master)
        return QDateTime();
    if (!d->expander)
        return instant(d->master->start.toMSecs());
    const std::optional<qint64> first = d->expander->first();
    return first ? instant(*first) : QDateTime();
}
