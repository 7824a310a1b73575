#include "EventDescription.h"

#include "base/InternalInconsistency.h"
#include "dateUtilities.h"
#include "records/CalAlarm.h"
#include "records/CalEvent.h"
#include "records/CalNthWeekDay.h"
#include "records/CalRecurrenceRule.h"
#include "serialString.h"

#include <QStringBuilder>

#include <cmath>

namespace {

std::shared_ptr<DateFormatter> formatterInRequiredLocale() {
    auto formatter = std::make_shared<DateFormatter>();
    formatter->setLocale(requiredLocale());
    return formatter;
}

} // namespace

EventDescription::EventDescription() : EventDescription(formatterInRequiredLocale()) {}

EventDescription::EventDescription(std::shared_ptr<DateFormatter> formatter)
    : m_ownDateFormatter(std::move(formatter)), m_weekdayFormatter(QStringLiteral("EEE"), requiredLocale()),
      m_dateFormatter(QStringLiteral("EEE MMM d"), requiredLocale()) {
    VL_ASSERT(
        m_ownDateFormatter && m_ownDateFormatter->locale() == requiredLocale(),
        QStringLiteral("ownDateFormatter should be set to locale en_US, because that's what we can parse."));
}

EventDescription::~EventDescription() = default;

void EventDescription::setLocale(const QString& localeId) {
    m_weekdayFormatter.setLocale(localeId);
    m_dateFormatter.setLocale(localeId);
}

QString EventDescription::descriptionOfTime(const CalendarDate& date) const {
    return m_ownDateFormatter->timeDescriptionWithDate(date);
}

QString EventDescription::descriptionOfOnlyDate(const CalendarDate& date,
                                                const CalendarDate& reference) const {
    // "Within the coming 7 days" is a calendar week (same clock time seven days on), not 604,800 s: the
    // parser reads a weekday as its next occurrence by calendar days, and across the start of
    // daylight-saving time 604,800 s reach an hour into the eighth day.
    if (date > reference && date < reference.dateByAddingDays(7))
        return m_weekdayFormatter.format(date);
    return m_dateFormatter.format(date);
}

QString EventDescription::descriptionOfDate(const CalendarDate& date, const CalendarDate& reference) const {
    // A time alone is read as the next such clock time (today, or tomorrow when it has passed), so it is
    // written only before the same clock time tomorrow; 86,400 s would reach into the day after a 23-hour
    // day.
    if (date > reference && date < reference.addDay())
        return descriptionOfTime(date);
    return descriptionOfOnlyDate(date, reference) % u' ' % descriptionOfTime(date);
}

QString EventDescription::descriptionOfEvent(const CalEvent& event, const CalendarDate& reference) const {
    const CalendarDate start = CalendarDate::fromQDateTime(event.startDate);
    const CalendarDate end = CalendarDate::fromQDateTime(event.endDate);
    if (event.isAllDay) {
        // Days without a time are read against 00:00 of the reference's day, where a weekday that is
        // today means today; so an all-day event next week on today's weekday needs its month and day.
        const CalendarDate referenceDay = reference.truncateToDay();
        const QString first = descriptionOfOnlyDate(start, referenceDay);
        const CalendarDate lastDay = end.addingSeconds(-1);
        // One day when the last moment is on the start's calendar day, however long that day is.
        if (lastDay >= start && DateFormatter::onSameDay(start, lastDay))
            return first % u' ' % event.title;
        return first % QStringLiteral(" - ") % descriptionOfOnlyDate(lastDay, referenceDay) % u' ' %
               event.title;
    }
    // Joined in one allocation rather than by arg(), which costs as much as writing the dates.
    return descriptionOfDate(start, reference) % QStringLiteral(" - ") % descriptionOfDate(end, start) %
           u' ' % event.title;
}

QString EventDescription::descriptionOfRecurrence(const CalRecurrenceRule& rule) const {
    const QString n = QString::number(rule.recurrenceInterval);
    switch (rule.recurrenceType) {
    case CalRecurrenceRule::Daily:
        return QStringLiteral("every %1 days").arg(n);
    case CalRecurrenceRule::Weekly:
        if (!rule.daysOfTheWeek)
            return QStringLiteral("every %1 weeks").arg(n);
        return QStringLiteral("every %1 weeks every %2")
            .arg(n, m_ownDateFormatter->daysOfTheWeekAsString(*rule.daysOfTheWeek));
    case CalRecurrenceRule::Monthly:
        if (rule.daysOfTheMonth)
            return QStringLiteral("every %1 months every %2").arg(n, serialString(*rule.daysOfTheMonth));
        if (!rule.nthWeekDaysOfTheMonth)
            return QStringLiteral("every %1 months").arg(n);
        VL_ASSERT(rule.nthWeekDaysOfTheMonth->size() == 1,
                  QStringLiteral("single nth week days of the month expected"));
        return QStringLiteral("every %1 months on the %2")
            .arg(n, nthWeekDayAsString(rule.nthWeekDaysOfTheMonth->first()));
    case CalRecurrenceRule::Yearly: {
        if (!rule.monthsOfTheYear)
            return QStringLiteral("every %1 years").arg(n);
        const QString months = m_ownDateFormatter->monthsOfTheYearAsString(*rule.monthsOfTheYear);
        if (!rule.nthWeekDaysOfTheMonth)
            return QStringLiteral("every %1 years in %2").arg(n, months);
        VL_ASSERT(rule.nthWeekDaysOfTheMonth->size() == 1,
                  QStringLiteral("single nth week days of the month expected in yearly recurrence type"));
        return QStringLiteral("every %1 years on the %2 in %3")
            .arg(n, nthWeekDayAsString(rule.nthWeekDaysOfTheMonth->first()), months);
    }
    default:
        VL_ASSERT(false, QStringLiteral("Unknown recurrance type in description"));
        return QString();
    }
}

QString EventDescription::descriptionOfAlarm(const CalAlarm& alarm, const CalendarDate& reference) const {
    const std::optional<QDateTime> absolute = alarm.absoluteTrigger();
    const QString description = absolute
                                    ? descriptionOfDate(CalendarDate::fromQDateTime(*absolute), reference)
                                    : describeAlarmRelativeTrigger(alarm.relativeTrigger());
    return QStringLiteral("Alert %1").arg(description);
}

QString EventDescription::nthWeekDayAsString(const CalNthWeekDay& nthWeekDay) const {
    QString ordinal;
    switch (nthWeekDay.weekNumber) {
    case -1:
        ordinal = QStringLiteral("last");
        break;
    case 1:
        ordinal = QStringLiteral("first");
        break;
    case 2:
        ordinal = QStringLiteral("second");
        break;
    case 3:
        ordinal = QStringLiteral("third");
        break;
    case 4:
        ordinal = QStringLiteral("forth");
        break;
    default:
        VL_ASSERT(false, QStringLiteral("week number in {-1,1,2,3,4} %1").arg(nthWeekDay.weekNumber));
    }
    return QStringLiteral("%1 %2").arg(ordinal,
                                       m_ownDateFormatter->dayOfWeekAsString(nthWeekDay.dayOfTheWeek));
}

QString EventDescription::describeAlarmRelativeTrigger(double seconds) {
    if (seconds == 0)
        return QStringLiteral("at time of event");
    double count = std::fabs(seconds);
    QString unit;
    if (std::fmod(seconds, 86400.0) == 0) {
        count /= 86400.0;
        unit = QStringLiteral("days");
    } else if (std::fmod(seconds, 3600.0) == 0) {
        count /= 3600.0;
        unit = QStringLiteral("hours");
    } else if (std::fmod(seconds, 60.0) == 0) {
        count /= 60.0;
        unit = QStringLiteral("minutes");
    } else {
        unit = QStringLiteral("seconds");
    }
    // A fraction of a second after the start is after it.
    const QString direction = seconds < 0 ? QStringLiteral("before") : QStringLiteral("after");
    return QStringLiteral("%1 %2 %3").arg(QString::number(std::llround(count)), unit, direction);
}
