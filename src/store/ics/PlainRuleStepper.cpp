#include "PlainRuleStepper.h"

namespace {

bool isLeapYear(qint64 year) {
    return (year % 4 == 0 && year % 100 != 0) || year % 400 == 0;
}

int daysInMonth(qint64 year, int month) {
    static constexpr int DAYS[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    return month == 2 && isLeapYear(year) ? 29 : DAYS[month - 1];
}

template <std::size_t N> bool isEmpty(const short (&values)[N]) {
    return values[0] == ICAL_RECURRENCE_ARRAY_MAX;
}

} // namespace

std::optional<PlainRuleStepper> PlainRuleStepper::of(const icalrecurrencetype& rule, const WallTime& start) {
    const bool plainFrequency = rule.freq == ICAL_DAILY_RECURRENCE || rule.freq == ICAL_WEEKLY_RECURRENCE ||
                                rule.freq == ICAL_MONTHLY_RECURRENCE || rule.freq == ICAL_YEARLY_RECURRENCE;
    const bool noParts = isEmpty(rule.by_second) && isEmpty(rule.by_minute) && isEmpty(rule.by_hour) &&
                         isEmpty(rule.by_day) && isEmpty(rule.by_month_day) && isEmpty(rule.by_year_day) &&
                         isEmpty(rule.by_week_no) && isEmpty(rule.by_month) && isEmpty(rule.by_set_pos);
    if (!plainFrequency || !noParts || (rule.rscale && *rule.rscale))
        return std::nullopt;
    return PlainRuleStepper(rule.freq, rule.interval > 0 ? rule.interval : 1, start);
}

WallTime PlainRuleStepper::next() {
    for (;;) {
        const qint64 steps = m_step++ * m_interval;
        switch (m_frequency) {
        case ICAL_DAILY_RECURRENCE:
            return m_start.addingDays(steps);
        case ICAL_WEEKLY_RECURRENCE:
            return m_start.addingDays(7 * steps);
        case ICAL_MONTHLY_RECURRENCE: {
            const qint64 months = qint64(m_start.year) * 12 + (m_start.month - 1) + steps;
            WallTime wall = m_start;
            wall.year = int(months / 12);
            wall.month = int(months % 12) + 1;
            if (wall.day <= daysInMonth(wall.year, wall.month))
                return wall;
            break;
        }
        default: { // yearly
            WallTime wall = m_start;
            wall.year = int(m_start.year + steps);
            if (wall.day <= daysInMonth(wall.year, wall.month))
                return wall;
            break;
        }
        }
    }
}
