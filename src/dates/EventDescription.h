#pragma once

#include "CalendarDate.h"
#include "DateFormatter.h"

#include <QString>

#include <memory>

class CalAlarm;
class CalEvent;
class CalRecurrenceRule;
struct CalNthWeekDay;

// Writes an event back as a line of the entry language, and short English descriptions of a recurrence
// rule and of an alarm. Everything is written in "en_US" so that the lexer can read it again.
//
// Lengths are judged by calendar days, not by counts of seconds, so that the line parses back to the
// same dates also across daylight-saving changes:
// - an all-day event is one day when its last moment (end − 1 s) falls on the calendar day of its start,
//   instead of "0 < last − start < 86,400 s", which fails for a 25-hour day;
// - "within the coming 7 days" and "within the coming day" are calendar steps (the reference's clock time
//   7 days or 1 day later), not 604,800 s and 86,400 s, which reach an hour too far after a 23-hour day;
// - an all-day event's days are described relative to 00:00 of the reference's day, since the parser
//   reads a day without a time against that moment ("Wed" typed on a Wednesday is today, so next
//   Wednesday is written "Wed Jun 17").
class EventDescription {
public:
    // Creates its own DateFormatter with locale requiredLocale() ("en_US").
    EventDescription();
    // Keeps `formatter` (shared with the caller, who may change its 12/24-hour mode). A formatter whose
    // locale is not "en_US", or none, is an InternalInconsistency "ownDateFormatter should be set to
    // locale en_US, because that's what we can parse.".
    explicit EventDescription(std::shared_ptr<DateFormatter> formatter);
    ~EventDescription();
    EventDescription(const EventDescription&) = delete;
    EventDescription& operator=(const EventDescription&) = delete;

    const std::shared_ptr<DateFormatter>& ownDateFormatter() const { return m_ownDateFormatter; }
    // Gives the locale to the weekday ("EEE") and date ("EEE MMM d") formatters, not to ownDateFormatter.
    void setLocale(const QString& localeId);

    // ownDateFormatter's timeDescriptionWithDate: "9:00 AM" (12-hour mode) or "9:00" (24-hour mode).
    QString descriptionOfTime(const CalendarDate& date) const;
    // "Mon" when reference < date < reference + 7 calendar days, otherwise "Mon Jan 5".
    QString descriptionOfOnlyDate(const CalendarDate& date, const CalendarDate& reference) const;
    // The time alone when reference < date < reference + 1 calendar day, otherwise "<only date> <time>".
    QString descriptionOfDate(const CalendarDate& date, const CalendarDate& reference) const;
    // All-day: "Fri Title" (one day) or "Fri - Sun Title", the days relative to 00:00 of the reference's
    // day; timed: "<start> - <end> Title" with the end described relative to the start ("9:00 AM -
    // 10:00 AM Dentist").
    QString descriptionOfEvent(const CalEvent& event, const CalendarDate& reference) const;
    // "every 2 weeks every Monday and Thursday" etc.; unit words always plural. An unknown type is an
    // InternalInconsistency "Unknown recurrance type in description"; more or fewer than one nth weekday
    // in a monthly or yearly rule that uses them: "single nth week days of the month expected" (yearly:
    // "... expected in yearly recurrence type").
    QString descriptionOfRecurrence(const CalRecurrenceRule& rule) const;
    // "Alert " + the absolute trigger as descriptionOfDate relative to `reference`, or + the relative
    // trigger as describeAlarmRelativeTrigger.
    QString descriptionOfAlarm(const CalAlarm& alarm,
                               const CalendarDate& reference = CalendarDate::now()) const;
    // "first Monday", "last Friday"; week numbers -1, 1-4 ("forth" for 4). Others: InternalInconsistency
    // "week number in {-1,1,2,3,4} <n>".
    QString nthWeekDayAsString(const CalNthWeekDay& nthWeekDay) const;
    // 0: "at time of event"; otherwise "<count> <days|hours|minutes|seconds> <before|after>" with the
    // largest unit that divides the seconds exactly ("15 minutes before", "1 days before", "90 seconds
    // before").
    static QString describeAlarmRelativeTrigger(double seconds);

private:
    std::shared_ptr<DateFormatter> m_ownDateFormatter;
    PatternDateFormat m_weekdayFormatter;
    PatternDateFormat m_dateFormatter;
};
