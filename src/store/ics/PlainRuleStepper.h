#pragma once

#include "WallTime.h"

#include <libical/ical.h>

#include <optional>

// The instances of an RRULE without BY parts: every INTERVAL-th day, week, month or year from DTSTART,
// at its clock time. A month without DTSTART's day, or a year without its February 29, is skipped.
// These rules are most of what stores hold, and stepping them is many times cheaper than libical's
// iterator, which goes through a calendar object for every instance.
class PlainRuleStepper {
public:
    // Nothing for rules with BY parts, another calendar scale or a frequency finer than a day.
    static std::optional<PlainRuleStepper> of(const icalrecurrencetype& rule, const WallTime& start);

    // DTSTART first; COUNT and UNTIL are left to the caller.
    WallTime next();

private:
    PlainRuleStepper(icalrecurrencetype_frequency frequency, int interval, const WallTime& start)
        : m_frequency(frequency), m_interval(interval), m_start(start) {}

    icalrecurrencetype_frequency m_frequency;
    int m_interval;
    WallTime m_start;
    qint64 m_step = 0;
};
