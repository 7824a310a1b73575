#include "ZoneChangeLimit.h"

#include <algorithm>
#include <memory>

namespace {

// The changes one RRULE starting at `start` makes up to LAST_EXPANDED_YEAR; more than MAX_CHANGES when
// the rule is beyond the limits, and `why` then says how.
qint64 ruleChanges(const icalrecurrencetype& rule, const icaltimetype& start, QString& why) {
    // Finer rules are never iterated: a filtered SECONDLY rule steps through every second of a year
    // to find one change.
    if (rule.freq < ICAL_MONTHLY_RECURRENCE) {
        why = QStringLiteral("a change repeats more often than monthly");
        return ZoneChangeLimit::MAX_CHANGES + 1;
    }
    if (rule.freq == ICAL_NO_RECURRENCE)
        return 0;
    icaltimetype yearLater = start;
    yearLater.year += 1;
    const std::unique_ptr<icalrecur_iterator, decltype(&icalrecur_iterator_free)> iterator(
        icalrecur_iterator_new(rule, start), &icalrecur_iterator_free);
    if (!iterator)
        return 0;
    qint64 inFirstYear = 0;
    for (icaltimetype next = icalrecur_iterator_next(iterator.get());
         !icaltime_is_null_time(next) && icaltime_compare(next, yearLater) < 0;
         next = icalrecur_iterator_next(iterator.get())) {
        if (++inFirstYear > ZoneChangeLimit::MAX_CHANGES_IN_A_YEAR) {
            why = QStringLiteral("a change repeats more than %1 times a year")
                      .arg(ZoneChangeLimit::MAX_CHANGES_IN_A_YEAR);
            return ZoneChangeLimit::MAX_CHANGES + 1;
        }
    }
    const int lastYear = icaltime_is_null_time(rule.until)
                             ? ZoneChangeLimit::LAST_EXPANDED_YEAR
                             : std::min(rule.until.year, ZoneChangeLimit::LAST_EXPANDED_YEAR);
    const qint64 changes = inFirstYear * std::max(0, lastYear - start.year + 1);
    return rule.count > 0 ? std::min<qint64>(rule.count, changes) : changes;
}

} // namespace

QString ZoneChangeLimit::excess(icalcomponent* vtimezone) {
    qint64 changes = 0;
    QString why;
    for (icalcomponent* part = icalcomponent_get_first_component(vtimezone, ICAL_ANY_COMPONENT); part;
         part = icalcomponent_get_next_component(vtimezone, ICAL_ANY_COMPONENT)) {
        const icalcomponent_kind kind = icalcomponent_isa(part);
        icalproperty* dtstart = icalcomponent_get_first_property(part, ICAL_DTSTART_PROPERTY);
        // libical skips a sub-component without DTSTART.
        if ((kind != ICAL_XSTANDARD_COMPONENT && kind != ICAL_XDAYLIGHT_COMPONENT) || !dtstart)
            continue;
        const icaltimetype start = icalproperty_get_dtstart(dtstart);
        changes += 1 + icalcomponent_count_properties(part, ICAL_RDATE_PROPERTY);
        for (icalproperty* rrule = icalcomponent_get_first_property(part, ICAL_RRULE_PROPERTY);
             rrule && changes <= MAX_CHANGES;
             rrule = icalcomponent_get_next_property(part, ICAL_RRULE_PROPERTY))
            changes += ruleChanges(icalproperty_get_rrule(rrule), start, why);
        if (changes > MAX_CHANGES)
            return why.isEmpty() ? QStringLiteral("it makes more than %1 changes").arg(MAX_CHANGES) : why;
    }
    return QString();
}
