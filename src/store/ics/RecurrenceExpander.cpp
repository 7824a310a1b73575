#include "RecurrenceExpander.h"

#include "PlainRuleStepper.h"

#include "base/Logger.h"
#include "dates/DateEnvironment.h"

#include <libical/ical.h>

#include <algorithm>
#include <memory>
#include <utility>

namespace {

constexpr qint64 DAY_MSECS = 86400000;
// How far past a window an expansion goes, so that scrolling a little needs no new expansion.
constexpr qint64 WINDOW_SLACK_MSECS = 31 * DAY_MSECS;

WallTime wallOf(const icaltimetype& time) {
    return WallTime{time.year, time.month, time.day, time.hour, time.minute, time.second};
}

icaltimetype floatingTime(const WallTime& wall, bool isDate) {
    icaltimetype time = icaltime_null_time();
    time.year = wall.year;
    time.month = wall.month;
    time.day = wall.day;
    time.hour = isDate ? 0 : wall.hour;
    time.minute = isDate ? 0 : wall.minute;
    time.second = isDate ? 0 : wall.second;
    time.is_date = isDate ? 1 : 0;
    return time;
}

// An RDATE or EXDATE in the form of DTSTART: a date in a timed series means that day at DTSTART's time.
IcsTime likeStart(const IcsTime& time, const IcsTime& start) {
    if (time.isDate == start.isDate)
        return time;
    if (start.isDate)
        return IcsTime{time.wall.startOfDay(), true, WallClockZone()};
    const WallTime& clock = start.wall;
    return IcsTime{
        WallTime{time.wall.year, time.wall.month, time.wall.day, clock.hour, clock.minute, clock.second},
        false, start.zone};
}

bool contains(const QList<qint64>& sorted, qint64 value) {
    return std::binary_search(sorted.cbegin(), sorted.cend(), value);
}

} // namespace

RecurrenceExpander::RecurrenceExpander(const IcsTime& start, IcsRecurrence recurrence)
    : m_start(start), m_recurrence(std::move(recurrence)) {
    // Periods have a clock time of their own: an all-day series takes only their days.
    if (m_start.isDate)
        for (const IcsRecurrence::Period& period : std::exchange(m_recurrence.periods, {}))
            m_recurrence.rdates.append(period.start);
    for (IcsTime& rdate : m_recurrence.rdates)
        rdate = likeStart(rdate, m_start);
    // A timed EXDATE still matches by instant; only a DATE one in a timed series removes a whole day.
    if (m_start.isDate)
        for (IcsTime& exdate : m_recurrence.exdates)
            exdate = likeStart(exdate, m_start);
}

const RecurrenceExpander::Resolved& RecurrenceExpander::resolved() const {
    if (m_resolved.generation == DateEnvironment::generation())
        return m_resolved;
    Resolved fresh;
    fresh.generation = DateEnvironment::generation();
    for (const IcsTime& exdate : m_recurrence.exdates) {
        if (exdate.isDate)
            fresh.exdays.append(exdate.wall.dayNumber());
        else
            fresh.exdates.append(exdate.toMSecs());
    }
    for (const IcsTime& rdate : m_recurrence.rdates)
        fresh.rdates.append(rdate.toMSecs());
    for (const IcsRecurrence::Period& period : m_recurrence.periods) {
        fresh.rdates.append(period.start.toMSecs());
        fresh.periods.append({period.start.toMSecs(), period});
    }
    std::sort(fresh.exdates.begin(), fresh.exdates.end());
    std::sort(fresh.exdays.begin(), fresh.exdays.end());
    std::sort(fresh.rdates.begin(), fresh.rdates.end());
    // Stable, so that of two periods with one start the first in the file is the one found.
    std::stable_sort(fresh.periods.begin(), fresh.periods.end(),
                     [](const auto& a, const auto& b) { return a.first < b.first; });
    m_resolved = std::move(fresh);
    return m_resolved;
}

bool RecurrenceExpander::excludes(qint64 msecs, qint64 dayNumber) const {
    const Resolved& dates = resolved();
    return contains(dates.exdates, msecs) || contains(dates.exdays, dayNumber);
}

std::optional<IcsRecurrence::Period> RecurrenceExpander::periodAt(qint64 msecs) const {
    const auto& periods = resolved().periods;
    const auto found =
        std::lower_bound(periods.cbegin(), periods.cend(), msecs,
                         [](const auto& period, qint64 start) { return period.first < start; });
    if (found == periods.cend() || found->first != msecs)
        return std::nullopt;
    return found->second;
}

QList<QByteArray> RecurrenceExpander::rules() const {
    return m_recurrence.rrules.isEmpty() ? QList<QByteArray>{QByteArray()} : m_recurrence.rrules;
}

void RecurrenceExpander::forEachRuleInstance(
    const QByteArray& rrule, const std::function<bool(qint64 msecs, const WallTime& wall)>& visit,
    bool withStart) const {
    const WallTime startWall = m_start.isDate ? m_start.wall.startOfDay() : m_start.wall;
    icalrecurrencetype rule = icalrecurrencetype_from_string(rrule.constData());
    const std::unique_ptr<char, decltype(&free)> calendarScale(rule.rscale, &free);
    if (rrule.isEmpty() || rule.freq == ICAL_NO_RECURRENCE) {
        visit(m_start.zone.toMSecs(startWall), startWall);
        return;
    }
    // COUNT and UNTIL are applied here, to instants: libical would compare UNTIL with the clock readings.
    const int count = rule.count;
    const icaltimetype until = rule.until;
    rule.count = 0;
    rule.until = icaltime_null_time();
    const bool hasUntil = !icaltime_is_null_time(until);
    const qint64 untilDay = wallOf(until).dayNumber();
    const qint64 untilMSecs =
        icaltime_is_utc(until) ? wallOf(until).localSeconds() * 1000 : m_start.zone.toMSecs(wallOf(until));
    int accepted = 0;
    auto accept = [&](const WallTime& wall) {
        const qint64 msecs = m_start.zone.toMSecs(wall);
        if (hasUntil && (until.is_date ? wall.dayNumber() > untilDay : msecs > untilMSecs))
            return false;
        if (count > 0 && accepted >= count)
            return false;
        ++accepted;
        return visit(msecs, wall);
    };

    const auto stopped = [&] {
        if (!std::exchange(m_stopLogged, true))
            VL_LOG(LCALSTORE, Logger::LOG_WARNING_LEVEL,
                   QStringLiteral("recurrence \"%1\" stopped after %2 instances")
                       .arg(QString::fromUtf8(rrule))
                       .arg(MAX_ITERATIONS));
    };

    if (std::optional<PlainRuleStepper> plain = PlainRuleStepper::of(rule, startWall)) {
        for (int iterations = 0; accept(plain->next()); ++iterations) {
            if (iterations == MAX_ITERATIONS) {
                stopped();
                break;
            }
        }
        return;
    }
    icalrecur_iterator* iterator = icalrecur_iterator_new(rule, floatingTime(startWall, m_start.isDate));
    if (!iterator) { // a rule that can never occur
        if (withStart)
            accept(startWall);
        return;
    }
    icaltimetype next = icalrecur_iterator_next(iterator);
    bool more = true;
    if (withStart && (icaltime_is_null_time(next) || wallOf(next) != startWall))
        more = accept(startWall);
    for (int iterations = 0; more && !icaltime_is_null_time(next); ++iterations) {
        if (iterations == MAX_ITERATIONS) {
            stopped();
            break;
        }
        const WallTime wall = wallOf(next);
        if (wall >= startWall)
            more = accept(wall);
        if (more)
            next = icalrecur_iterator_next(iterator);
    }
    icalrecur_iterator_free(iterator);
}

QList<qint64> RecurrenceExpander::starts(qint64 from, qint64 to) const {
    const std::uint64_t generation = DateEnvironment::generation();
    if (m_window.generation != generation || from < m_window.from || to > m_window.to) {
        Window fresh{generation, from, std::max(from, to) + WINDOW_SLACK_MSECS, {}};
        // Clock readings only ever increase, but a reading in a daylight-saving gap moves forward, so
        // an instance may come up to a gap's length earlier than the one before it.
        for (const QByteArray& rrule : rules()) {
            if (!ruleMayOccurIn(rrule, fresh.from, fresh.to + DAY_MSECS))
                continue;
            forEachRuleInstance(rrule, [&](qint64 msecs, const WallTime& wall) {
                if (msecs >= fresh.to + DAY_MSECS)
                    return false;
                if (msecs >= fresh.from && msecs < fresh.to && !excludes(msecs, wall.dayNumber()))
                    fresh.starts.append(msecs);
                return true;
            });
        }
        for (qint64 rdate : resolved().rdates)
            if (rdate >= fresh.from && rdate < fresh.to && !excludes(rdate, zone().toWall(rdate).dayNumber()))
                fresh.starts.append(rdate);
        std::sort(fresh.starts.begin(), fresh.starts.end());
        fresh.starts.erase(std::unique(fresh.starts.begin(), fresh.starts.end()), fresh.starts.end());
        m_window = std::move(fresh);
    }
    const auto begin = std::lower_bound(m_window.starts.cbegin(), m_window.starts.cend(), from);
    const auto end = std::lower_bound(begin, m_window.starts.cend(), to);
    return QList<qint64>(begin, end);
}

// Setting up libical's iterator costs far more than this test, and most series of a store lie wholly
// before or after the window asked for.
bool RecurrenceExpander::ruleMayOccurIn(const QByteArray& rrule, qint64 from, qint64 to) const {
    if (m_start.toMSecs() >= to)
        return false;
    const QByteArrayView rule(rrule);
    const qsizetype at = rule.indexOf("UNTIL=");
    if (at < 0)
        return true;
    const qsizetype end = rule.indexOf(';', at);
    const QByteArray text = rule.sliced(at + 6, (end < 0 ? rule.size() : end) - at - 6).toByteArray();
    const icaltimetype until = icaltime_from_string(text.constData());
    if (icaltime_is_null_time(until))
        return true;
    // A DATE UNTIL takes in its whole day, which may last 25 hours: two days of slack cover it.
    const WallTime wall = wallOf(until);
    const qint64 untilMSecs =
        icaltime_is_utc(until) ? wall.localSeconds() * 1000 : m_start.zone.toMSecs(wall);
    return untilMSecs + 2 * DAY_MSECS >= from;
}

int RecurrenceExpander::ruleInstancesBefore(qsizetype rule, qint64 msecs) const {
    int before = 0;
    forEachRuleInstance(rules().value(rule), [&](qint64 instant, const WallTime&) {
        if (instant < msecs)
            ++before;
        return instant < msecs + DAY_MSECS;
    });
    return before;
}

std::optional<qint64> RecurrenceExpander::first() const {
    std::optional<qint64> result;
    for (const QByteArray& rrule : rules())
        forEachRuleInstance(rrule, [&](qint64 msecs, const WallTime& wall) {
            if (result && msecs >= *result)
                return false;
            if (excludes(msecs, wall.dayNumber()))
                return true;
            result = msecs;
            return false;
        });
    for (qint64 rdate : resolved().rdates)
        if ((!result || rdate < *result) && !excludes(rdate, zone().toWall(rdate).dayNumber()))
            return rdate; // ascending: the first one kept is the earliest
    return result;
}

std::optional<qint64> RecurrenceExpander::firstRuleInstance() const {
    std::optional<qint64> first;
    for (const QByteArray& rrule : m_recurrence.rrules)
        forEachRuleInstance(
            rrule,
            [&](qint64 msecs, const WallTime&) {
                if (!first || msecs < *first)
                    first = msecs;
                return false;
            },
            false);
    return first;
}
