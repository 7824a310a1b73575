#include "DateEnvironmentGuard.h"
#include "TestSupport.h"

#include "app/InternalInconsistency.h"
#include "dates/CalendarDate.h"
#include "dates/DateFormatter.h"
#include "dates/EventDescription.h"
#include "store/records/CalAlarm.h"
#include "store/records/CalEvent.h"
#include "store/records/CalRecurrenceRule.h"

#include <gtest/gtest.h>

#include <functional>
#include <ostream>

namespace {

const QString NEW_YORK = QStringLiteral("America/New_York");

std::shared_ptr<CalEvent> timedEvent(const CalendarDate& start, const CalendarDate& end,
                                     const QString& title) {
    auto event = CalEvent::event();
    event->startDate = start.toQDateTime();
    event->endDate = end.toQDateTime();
    event->title = title;
    return event;
}

// An all-day event of the days first..last (inclusive), given by their midnights.
std::shared_ptr<CalEvent> allDayEvent(const CalendarDate& firstDay, const CalendarDate& dayAfterLast,
                                      const QString& title) {
    auto event = timedEvent(firstDay, dayAfterLast, title);
    event->isAllDay = true;
    return event;
}

std::shared_ptr<CalRecurrenceRule> rule(CalRecurrenceRule::Type type, int interval) {
    return CalRecurrenceRule::rule(type, interval);
}

class EventDescriptionTest : public ::testing::Test {
protected:
    DateEnvironmentGuard guard{NEW_YORK, QStringLiteral("en_US")};
    std::shared_ptr<DateFormatter> formatter = [] {
        auto made = std::make_shared<DateFormatter>();
        made->setLocale(QStringLiteral("en_US"));
        return made;
    }();
    EventDescription description{formatter};
    const CalendarDate reference = at(2026, 6, 10, 10); // Wednesday June 10, 10:00
};

} // namespace

// ---- construction ----

TEST(EventDescriptionConstructionTest, OwnFormatterIsEnglishIn12HourMode) {
    DateEnvironmentGuard guard(NEW_YORK, QStringLiteral("de_DE"));
    EventDescription description;
    ASSERT_TRUE(description.ownDateFormatter());
    EXPECT_EQ(description.ownDateFormatter()->locale(), "en_US");
    EXPECT_EQ(description.ownDateFormatter()->timeModeHours(), 12);
    auto event = timedEvent(at(2026, 6, 11, 9), at(2026, 6, 11, 10), QStringLiteral("Dentist"));
    EXPECT_EQ(description.descriptionOfEvent(*event, at(2026, 6, 10, 10)), "9:00 AM - 10:00 AM Dentist");
    EXPECT_EQ(description.descriptionOfOnlyDate(at(2026, 6, 12), at(2026, 6, 10, 10)), "Fri");
    EXPECT_EQ(description.descriptionOfOnlyDate(at(2026, 6, 22), at(2026, 6, 10, 10)), "Mon Jun 22");
}

TEST(EventDescriptionConstructionTest, FormatterMustBeEnglish) {
    DateEnvironmentGuard guard(NEW_YORK, QStringLiteral("en_US"));
    const std::string expected =
        "ownDateFormatter should be set to locale en_US, because that's what we can parse.";
    auto german = std::make_shared<DateFormatter>();
    german->setLocale(QStringLiteral("de_DE"));
    EXPECT_EQ(failureText([&] { EventDescription description(german); }), expected);
    // No locale set is not en_US either, even when the default locale is.
    EXPECT_EQ(failureText([] { EventDescription description(std::make_shared<DateFormatter>()); }), expected);
    EXPECT_EQ(failureText([] { EventDescription description(nullptr); }), expected);
}

// ---- building blocks ----

TEST_F(EventDescriptionTest, OnlyDateIsTheWeekdayWithinTheComingWeek) {
    EXPECT_EQ(description.descriptionOfOnlyDate(at(2026, 6, 11, 9), reference), "Thu");
    EXPECT_EQ(description.descriptionOfOnlyDate(at(2026, 6, 17, 9, 59), reference), "Wed");
    EXPECT_EQ(description.descriptionOfOnlyDate(at(2026, 6, 17, 10), reference), "Wed Jun 17");
    EXPECT_EQ(description.descriptionOfOnlyDate(reference, reference), "Wed Jun 10");
    EXPECT_EQ(description.descriptionOfOnlyDate(at(2026, 6, 9, 9), reference), "Tue Jun 9");
}

TEST_F(EventDescriptionTest, DateIsTheTimeAloneWithinTheComingDay) {
    EXPECT_EQ(description.descriptionOfDate(at(2026, 6, 10, 15), reference), "3:00 PM");
    EXPECT_EQ(description.descriptionOfDate(at(2026, 6, 11, 9, 59), reference), "9:59 AM");
    EXPECT_EQ(description.descriptionOfDate(at(2026, 6, 11, 10), reference), "Thu 10:00 AM");
    EXPECT_EQ(description.descriptionOfDate(at(2026, 6, 25, 10), reference), "Thu Jun 25 10:00 AM");
    EXPECT_EQ(description.descriptionOfDate(reference, reference), "Wed Jun 10 10:00 AM");
    EXPECT_EQ(description.descriptionOfTime(at(2026, 6, 10, 21, 5)), "9:05 PM");
}

TEST_F(EventDescriptionTest, SetLocaleChangesOnlyItsOwnFormatters) {
    description.setLocale(QStringLiteral("de_DE"));
    EXPECT_EQ(formatter->locale(), "en_US");
    EXPECT_EQ(description.descriptionOfTime(at(2026, 6, 10, 21, 5)), "9:05 PM");
    EXPECT_NE(description.descriptionOfOnlyDate(at(2026, 6, 12), reference), "Fri");
    description.setLocale(QStringLiteral("en_US"));
    EXPECT_EQ(description.descriptionOfOnlyDate(at(2026, 6, 12), reference), "Fri");
}

// ---- events ----

TEST_F(EventDescriptionTest, TimedEvents) {
    EXPECT_EQ(description.descriptionOfEvent(*timedEvent(at(2026, 6, 11, 9), at(2026, 6, 11, 10), "Dentist"),
                                             reference),
              "9:00 AM - 10:00 AM Dentist");
    EXPECT_EQ(description.descriptionOfEvent(
                  *timedEvent(at(2026, 6, 15, 14), at(2026, 6, 15, 15, 30), "Review"), reference),
              "Mon 2:00 PM - 3:30 PM Review");
    EXPECT_EQ(description.descriptionOfEvent(*timedEvent(at(2026, 6, 20, 22), at(2026, 6, 21, 23), "Party"),
                                             reference),
              "Sat Jun 20 10:00 PM - Sun 11:00 PM Party");
}

TEST_F(EventDescriptionTest, EventThatStartedBeforeTheReferenceGetsTheLongForm) {
    EXPECT_EQ(description.descriptionOfEvent(*timedEvent(at(2026, 6, 9, 15), at(2026, 6, 9, 16), "Call"),
                                             reference),
              "Tue Jun 9 3:00 PM - 4:00 PM Call");
    EXPECT_EQ(description.descriptionOfEvent(*timedEvent(at(2026, 6, 10, 10), at(2026, 6, 10, 11), "Now"),
                                             reference),
              "Wed Jun 10 10:00 AM - 11:00 AM Now");
}

TEST_F(EventDescriptionTest, TimedEventsIn24HourMode) {
    formatter->setTimeModeHours(24); // the shared formatter's mode is followed
    EXPECT_EQ(description.descriptionOfEvent(*timedEvent(at(2026, 6, 11, 9), at(2026, 6, 11, 10), "Dentist"),
                                             reference),
              "9:00 - 10:00 Dentist");
    EXPECT_EQ(description.descriptionOfEvent(
                  *timedEvent(at(2026, 6, 15, 14), at(2026, 6, 15, 15, 30), "Review"), reference),
              "Mon 14:00 - 15:30 Review");
    EXPECT_EQ(description.descriptionOfEvent(*timedEvent(at(2026, 6, 20, 22), at(2026, 6, 21, 23), "Party"),
                                             reference),
              "Sat Jun 20 22:00 - Sun 23:00 Party");
}

TEST_F(EventDescriptionTest, AllDayEvents) {
    EXPECT_EQ(
        description.descriptionOfEvent(*allDayEvent(at(2026, 6, 12), at(2026, 6, 13), "Holiday"), reference),
        "Fri Holiday");
    EXPECT_EQ(
        description.descriptionOfEvent(*allDayEvent(at(2026, 6, 12), at(2026, 6, 15), "Trip"), reference),
        "Fri - Sun Trip");
    EXPECT_EQ(
        description.descriptionOfEvent(*allDayEvent(at(2026, 6, 22), at(2026, 6, 24), "Course"), reference),
        "Mon Jun 22 - Tue Jun 23 Course");
    // Today's all-day event started before the reference (at midnight).
    EXPECT_EQ(
        description.descriptionOfEvent(*allDayEvent(at(2026, 6, 10), at(2026, 6, 11), "Today"), reference),
        "Wed Jun 10 Today");
}

// March 8 (23 hours) and November 1 (25 hours) are one-day events; with "0 < last − start < 86,400 s"
// November 1 would be written "Sun - Sun".
TEST_F(EventDescriptionTest, AllDayEventsAcrossDaylightSavingChanges) {
    const CalendarDate beforeSpring = at(2026, 3, 6, 10), beforeFall = at(2026, 10, 30, 10);
    EXPECT_EQ(
        description.descriptionOfEvent(*allDayEvent(at(2026, 3, 8), at(2026, 3, 9), "Spring"), beforeSpring),
        "Sun Spring");
    EXPECT_EQ(
        description.descriptionOfEvent(*allDayEvent(at(2026, 11, 1), at(2026, 11, 2), "Fall"), beforeFall),
        "Sun Fall");
    EXPECT_EQ(
        description.descriptionOfEvent(*allDayEvent(at(2026, 3, 7), at(2026, 3, 9), "Weekend"), beforeSpring),
        "Sat - Sun Weekend");
    EXPECT_EQ(description.descriptionOfEvent(*allDayEvent(at(2026, 10, 31), at(2026, 11, 2), "Weekend"),
                                             beforeFall),
              "Sat - Sun Weekend");
    EXPECT_EQ(
        description.descriptionOfEvent(*allDayEvent(at(2026, 11, 1), at(2026, 11, 3), "Two"), beforeFall),
        "Sun - Mon Two");
}

// The line must parse back to the same dates: a weekday means its next occurrence by
// calendar days, a time alone the next such clock time, and a day without a time is read against 00:00 of
// the reference's day, where today's weekday means today.
TEST_F(EventDescriptionTest, WeekdayFormIsUsedWithinTheComingCalendarWeek) {
    EXPECT_EQ(description.descriptionOfDate(at(2026, 6, 17, 9), reference), "Wed 9:00 AM");
    EXPECT_EQ(description.descriptionOfDate(at(2026, 6, 17, 10, 30), reference), "Wed Jun 17 10:30 AM");
    // Across the start of daylight-saving time 604,800 s end at 11:00 on the eighth day; "Wed 10:30 AM"
    // would be read as today 10:30.
    const CalendarDate beforeSpring = at(2026, 3, 4, 10); // Wednesday
    EXPECT_EQ(description.descriptionOfOnlyDate(at(2026, 3, 11, 10, 30), beforeSpring), "Wed Mar 11");
    EXPECT_EQ(description.descriptionOfDate(at(2026, 3, 11, 10, 30), beforeSpring), "Wed Mar 11 10:30 AM");
    EXPECT_EQ(description.descriptionOfDate(at(2026, 3, 11, 9, 30), beforeSpring), "Wed 9:30 AM");
}

TEST_F(EventDescriptionTest, TimeAloneIsUsedBeforeTheSameClockTimeTomorrow) {
    // March 8 has 23 hours: 10:30 on it is less than 86,400 s after 10:00 the day before, but "10:30 AM"
    // would be read as 10:30 on March 7.
    const CalendarDate saturday = at(2026, 3, 7, 10);
    EXPECT_EQ(description.descriptionOfDate(at(2026, 3, 8, 10, 30), saturday), "Sun 10:30 AM");
    EXPECT_EQ(description.descriptionOfDate(at(2026, 3, 8, 9, 30), saturday), "9:30 AM");
    EXPECT_EQ(description.descriptionOfEvent(
                  *timedEvent(at(2026, 3, 7, 22), at(2026, 3, 8, 22, 30), QStringLiteral("Night")),
                  at(2026, 3, 7, 9)),
              "10:00 PM - Sun 10:30 PM Night");
    // November 1 has 25 hours: 9:30 on it is the next 9:30 after 10:00 the day before.
    EXPECT_EQ(description.descriptionOfDate(at(2026, 11, 1, 9, 30), at(2026, 10, 31, 10)), "9:30 AM");
}

TEST_F(EventDescriptionTest, AllDayEventNextWeekOnTodaysWeekdayHasItsDate) {
    EXPECT_EQ(
        description.descriptionOfEvent(*allDayEvent(at(2026, 6, 17), at(2026, 6, 18), "Review"), reference),
        "Wed Jun 17 Review");
    EXPECT_EQ(
        description.descriptionOfEvent(*allDayEvent(at(2026, 6, 16), at(2026, 6, 17), "Review"), reference),
        "Tue Review");
    EXPECT_EQ(
        description.descriptionOfEvent(*allDayEvent(at(2026, 6, 11), at(2026, 6, 17), "Week"), reference),
        "Thu - Tue Week");
    EXPECT_EQ(
        description.descriptionOfEvent(*allDayEvent(at(2026, 6, 11), at(2026, 6, 18), "Week"), reference),
        "Thu - Wed Jun 17 Week");
}

// ---- recurrence ----

TEST_F(EventDescriptionTest, DailyAndWeeklyRecurrence) {
    EXPECT_EQ(description.descriptionOfRecurrence(*rule(CalRecurrenceRule::Daily, 1)), "every 1 days");
    EXPECT_EQ(description.descriptionOfRecurrence(*rule(CalRecurrenceRule::Daily, 3)), "every 3 days");
    EXPECT_EQ(description.descriptionOfRecurrence(*rule(CalRecurrenceRule::Weekly, 1)), "every 1 weeks");
    auto weekly = rule(CalRecurrenceRule::Weekly, 2);
    weekly->daysOfTheWeek = QList<int>{5, 2};
    EXPECT_EQ(description.descriptionOfRecurrence(*weekly), "every 2 weeks every Monday and Thursday");
    weekly->daysOfTheWeek = QList<int>{6, 2, 4};
    EXPECT_EQ(description.descriptionOfRecurrence(*weekly),
              "every 2 weeks every Monday, Wednesday and Friday");
    weekly->daysOfTheWeek = QList<int>{}; // present though empty
    EXPECT_EQ(description.descriptionOfRecurrence(*weekly), "every 2 weeks every ");
}

TEST_F(EventDescriptionTest, MonthlyRecurrence) {
    auto monthly = rule(CalRecurrenceRule::Monthly, 1);
    EXPECT_EQ(description.descriptionOfRecurrence(*monthly), "every 1 months");
    monthly->daysOfTheMonth = QList<int>{1, 15, 30};
    EXPECT_EQ(description.descriptionOfRecurrence(*monthly), "every 1 months every 1, 15 and 30");
    monthly->daysOfTheMonth.reset();
    monthly->nthWeekDaysOfTheMonth = QList<CalNthWeekDay>{{2, 1}};
    EXPECT_EQ(description.descriptionOfRecurrence(*monthly), "every 1 months on the first Monday");
    monthly->nthWeekDaysOfTheMonth = QList<CalNthWeekDay>{{2, 1}, {4, 3}};
    EXPECT_EQ(failureText([&] { description.descriptionOfRecurrence(*monthly); }),
              "single nth week days of the month expected");
}

TEST_F(EventDescriptionTest, YearlyRecurrence) {
    auto yearly = rule(CalRecurrenceRule::Yearly, 1);
    EXPECT_EQ(description.descriptionOfRecurrence(*yearly), "every 1 years");
    yearly->monthsOfTheYear = QList<int>{7, 1};
    EXPECT_EQ(description.descriptionOfRecurrence(*yearly), "every 1 years in January and July");
    yearly->nthWeekDaysOfTheMonth = QList<CalNthWeekDay>{{6, -1}};
    EXPECT_EQ(description.descriptionOfRecurrence(*yearly),
              "every 1 years on the last Friday in January and July");
    yearly->nthWeekDaysOfTheMonth = QList<CalNthWeekDay>{{6, -1}, {2, 1}};
    EXPECT_EQ(failureText([&] { description.descriptionOfRecurrence(*yearly); }),
              "single nth week days of the month expected in yearly recurrence type");
}

TEST_F(EventDescriptionTest, UnknownRecurrenceType) {
    auto odd = rule(CalRecurrenceRule::Daily, 1);
    odd->recurrenceType = 4;
    EXPECT_EQ(failureText([&] { description.descriptionOfRecurrence(*odd); }),
              "Unknown recurrance type in description");
}

TEST_F(EventDescriptionTest, NthWeekDays) {
    EXPECT_EQ(description.nthWeekDayAsString({2, 1}), "first Monday");
    EXPECT_EQ(description.nthWeekDayAsString({3, 2}), "second Tuesday");
    EXPECT_EQ(description.nthWeekDayAsString({4, 3}), "third Wednesday");
    EXPECT_EQ(description.nthWeekDayAsString({5, 4}), "forth Thursday");
    EXPECT_EQ(description.nthWeekDayAsString({1, -1}), "last Sunday");
    EXPECT_EQ(failureText([&] { description.nthWeekDayAsString({2, 5}); }), "week number in {-1,1,2,3,4} 5");
    EXPECT_EQ(failureText([&] { description.nthWeekDayAsString({8, 1}); }), "i in [1,7] range 8");
}

// ---- alarms ----

TEST_F(EventDescriptionTest, RelativeAlarms) {
    auto alarm = CalAlarm::alarm();
    alarm->setRelativeTrigger(-900);
    EXPECT_EQ(description.descriptionOfAlarm(*alarm), "Alert 15 minutes before");
    alarm->setRelativeTrigger(0);
    EXPECT_EQ(description.descriptionOfAlarm(*alarm), "Alert at time of event");
    alarm->setRelativeTrigger(-90);
    EXPECT_EQ(description.descriptionOfAlarm(*alarm), "Alert 90 seconds before");
    alarm->setRelativeTrigger(-86400);
    EXPECT_EQ(description.descriptionOfAlarm(*alarm), "Alert 1 days before");
}

TEST_F(EventDescriptionTest, RelativeTriggerUnits) {
    EXPECT_EQ(EventDescription::describeAlarmRelativeTrigger(0), "at time of event");
    EXPECT_EQ(EventDescription::describeAlarmRelativeTrigger(7200), "2 hours after");
    EXPECT_EQ(EventDescription::describeAlarmRelativeTrigger(-3600), "1 hours before");
    EXPECT_EQ(EventDescription::describeAlarmRelativeTrigger(-172800), "2 days before");
    EXPECT_EQ(EventDescription::describeAlarmRelativeTrigger(-5400), "90 minutes before");
    EXPECT_EQ(EventDescription::describeAlarmRelativeTrigger(-90000), "25 hours before");
    EXPECT_EQ(EventDescription::describeAlarmRelativeTrigger(60), "1 minutes after");
    EXPECT_EQ(EventDescription::describeAlarmRelativeTrigger(1), "1 seconds after");
    EXPECT_EQ(EventDescription::describeAlarmRelativeTrigger(-1), "1 seconds before");
    EXPECT_EQ(EventDescription::describeAlarmRelativeTrigger(-89.6), "90 seconds before");
}

TEST_F(EventDescriptionTest, AbsoluteAlarms) {
    auto alarm = CalAlarm::alarm();
    alarm->setAbsoluteTrigger(at(2026, 6, 10, 15).toQDateTime());
    EXPECT_EQ(description.descriptionOfAlarm(*alarm, reference), "Alert 3:00 PM");
    alarm->setAbsoluteTrigger(at(2026, 6, 12, 9).toQDateTime());
    EXPECT_EQ(description.descriptionOfAlarm(*alarm, reference), "Alert Fri 9:00 AM");
    alarm->setAbsoluteTrigger(at(2026, 7, 1, 9).toQDateTime());
    EXPECT_EQ(description.descriptionOfAlarm(*alarm, reference), "Alert Wed Jul 1 9:00 AM");
    // The absolute trigger wins over the relative one.
    alarm->setRelativeTrigger(-900);
    EXPECT_EQ(description.descriptionOfAlarm(*alarm, reference), "Alert Wed Jul 1 9:00 AM");
}
