#include "DateEnvironmentGuard.h"
#include "TestSupport.h"

#include "dates/CalendarInformation.h"
#include "dates/DateFormatter.h"
#include "dates/EventDescription.h"
#include "records/CalAlarm.h"
#include "records/CalEvent.h"

#include <gtest/gtest.h>

namespace {

void expectRows(std::initializer_list<std::pair<QString, const char*>> rows) {
    for (const auto& [actual, expected] : rows)
        EXPECT_EQ(actual, QString::fromUtf8(expected));
}

CalendarDate june10() {
    return at(2026, 6, 10, 10); // a Wednesday
}

class EventDescriptionTest : public ::testing::Test {
protected:
    // An event "x"; an all-day one from the midnight of its first day to that after its last.
    QString timed(const CalendarDate& start, const CalendarDate& end,
                  const CalendarDate& reference = june10(), bool allDay = false) {
        CalEvent event;
        event.startDate = start.toQDateTime();
        event.endDate = end.toQDateTime();
        event.isAllDay = allDay;
        event.title = QStringLiteral("x");
        return description.descriptionOfEvent(event, reference);
    }
    QString allDay(const CalendarDate& first, const CalendarDate& after, const CalendarDate& ref = june10()) {
        return timed(first, after, ref, true);
    }
    QString date(const CalendarDate& d, const CalendarDate& ref = june10()) {
        return description.descriptionOfDate(d, ref);
    }
    QString onlyDate(const CalendarDate& d, const CalendarDate& ref = june10()) {
        return description.descriptionOfOnlyDate(d, ref);
    }

    DateEnvironmentGuard guard{QStringLiteral("America/New_York")};
    std::shared_ptr<DateFormatter> formatter = [] {
        auto made = std::make_shared<DateFormatter>();
        made->setLocale(QStringLiteral("en_US"));
        return made;
    }();
    EventDescription description{formatter};
};

// Weekdays within the coming calendar week, the time alone before the same clock time tomorrow.
TEST_F(EventDescriptionTest, ShortFormsOnlyCloseAhead) {
    expectRows({
        {onlyDate(at(2026, 6, 17, 9, 59)), "Wed"},
        {onlyDate(at(2026, 6, 17, 10)), "Wed Jun 17"},
        {date(at(2026, 6, 11, 9, 59)), "9:59 AM"},
        {date(at(2026, 6, 11, 10)), "Thu 10:00 AM"},
        {date(at(2026, 6, 25, 10)), "Thu Jun 25 10:00 AM"},
        {date(june10()), "Wed Jun 10 10:00 AM"},
    });
}

TEST_F(EventDescriptionTest, Events) {
    expectRows({
        {timed(at(2026, 6, 11, 9), at(2026, 6, 11, 10)), "9:00 AM - 10:00 AM x"},
        {timed(at(2026, 6, 15, 14), at(2026, 6, 15, 15, 30)), "Mon 2:00 PM - 3:30 PM x"},
        {timed(at(2026, 6, 20, 22), at(2026, 6, 21, 23)), "Sat Jun 20 10:00 PM - Sun 11:00 PM x"},
        {timed(june10(), at(2026, 6, 10, 11)), "Wed Jun 10 10:00 AM - 11:00 AM x"},
        {allDay(at(2026, 6, 12), at(2026, 6, 13)), "Fri x"},
        {allDay(at(2026, 6, 12), at(2026, 6, 15)), "Fri - Sun x"},
        {allDay(at(2026, 6, 10), at(2026, 6, 11)), "Wed Jun 10 x"},
        // Days are read against 00:00 today, where "Wed" is today.
        {allDay(at(2026, 6, 17), at(2026, 6, 18)), "Wed Jun 17 x"},
        {allDay(at(2026, 6, 11), at(2026, 6, 18)), "Thu - Wed Jun 17 x"},
    });
    formatter->setTimeModeHours(24); // the shared formatter's mode is followed
    EXPECT_EQ(timed(at(2026, 6, 20, 22), at(2026, 6, 21, 23)), "Sat Jun 20 22:00 - Sun 23:00 x");
}

// March 8 has 23 hours, November 1 has 25: lengths are calendar steps so that the line parses back.
TEST_F(EventDescriptionTest, AcrossDaylightSavingChanges) {
    const CalendarDate friMar6 = at(2026, 3, 6, 10), friOct30 = at(2026, 10, 30, 10);
    const CalendarDate wedMar4 = at(2026, 3, 4, 10), satMar7 = at(2026, 3, 7, 10);
    expectRows({
        // With "0 < last − start < 86,400 s" November 1 would be "Sun - Sun".
        {allDay(at(2026, 3, 8), at(2026, 3, 9), friMar6), "Sun x"},
        {allDay(at(2026, 11, 1), at(2026, 11, 2), friOct30), "Sun x"},
        {allDay(at(2026, 3, 7), at(2026, 3, 9), friMar6), "Sat - Sun x"},
        {allDay(at(2026, 10, 31), at(2026, 11, 2), friOct30), "Sat - Sun x"},
        {allDay(at(2026, 11, 1), at(2026, 11, 3), friOct30), "Sun - Mon x"},
        // 604,800 s after 10:00 on March 4 is 11:00 on March 11: "Wed 10:30 AM" would be read as today.
        {onlyDate(at(2026, 3, 11, 10, 30), wedMar4), "Wed Mar 11"},
        {date(at(2026, 3, 11, 10, 30), wedMar4), "Wed Mar 11 10:30 AM"},
        {date(at(2026, 3, 11, 9, 30), wedMar4), "Wed 9:30 AM"},
        // 10:30 on March 8 is under 86,400 s after 10:00 on March 7, yet "10:30 AM" would be March 7.
        {date(at(2026, 3, 8, 10, 30), satMar7), "Sun 10:30 AM"},
        {date(at(2026, 3, 8, 9, 30), satMar7), "9:30 AM"},
        {timed(at(2026, 3, 7, 22), at(2026, 3, 8, 22, 30), at(2026, 3, 7, 9)), "10:00 PM - Sun 10:30 PM x"},
        {date(at(2026, 11, 1, 9, 30), at(2026, 10, 31, 10)), "9:30 AM"},
    });
}

TEST_F(EventDescriptionTest, WritesEnglishTimesWhateverTheLocale) {
    {
        DateEnvironmentGuard german(QStringLiteral("America/New_York"), QStringLiteral("de_DE"));
        EventDescription own; // with a formatter of its own
        EXPECT_EQ(own.descriptionOfOnlyDate(at(2026, 6, 12), june10()), "Fri");
        EXPECT_EQ(own.descriptionOfDate(at(2026, 6, 22, 21, 5), june10()), "Mon Jun 22 9:05 PM");
    }
    description.setLocale(QStringLiteral("de_DE")); // only the day names follow
    EXPECT_EQ(onlyDate(at(2026, 6, 12)), "Fr.");
    EXPECT_EQ(date(at(2026, 6, 22, 21, 5)), "Mo. Juni 22 9:05 PM");
}

TEST_F(EventDescriptionTest, Recurrences) {
    using Rule = CalRecurrenceRule;
    std::shared_ptr<Rule> rule;
    const auto text = [&] { return description.descriptionOfRecurrence(*rule); };
    rule = Rule::rule(Rule::Daily, 3);
    EXPECT_EQ(text(), "every 3 days");
    rule = Rule::rule(Rule::Weekly, 2);
    EXPECT_EQ(text(), "every 2 weeks");
    rule->daysOfTheWeek = QList<int>{5, 2};
    EXPECT_EQ(text(), "every 2 weeks every Monday and Thursday");
    rule->daysOfTheWeek = QList<int>{}; // present though empty
    EXPECT_EQ(text(), "every 2 weeks every ");
    rule = Rule::rule(Rule::Monthly, 1);
    EXPECT_EQ(text(), "every 1 months");
    rule->nthWeekDaysOfTheMonth = QList<CalNthWeekDay>{{2, 1}};
    EXPECT_EQ(text(), "every 1 months on the first Monday");
    rule->daysOfTheMonth = QList<int>{1, 15, 30}; // the days win
    EXPECT_EQ(text(), "every 1 months every 1, 15 and 30");
    rule = Rule::rule(Rule::Yearly, 1);
    EXPECT_EQ(text(), "every 1 years");
    rule->monthsOfTheYear = QList<int>{7, 1};
    EXPECT_EQ(text(), "every 1 years in January and July");
    rule->nthWeekDaysOfTheMonth = QList<CalNthWeekDay>{{6, -1}};
    EXPECT_EQ(text(), "every 1 years on the last Friday in January and July");
    expectRows({{description.nthWeekDayAsString({3, 2}), "second Tuesday"},
                {description.nthWeekDayAsString({4, 3}), "third Wednesday"},
                {description.nthWeekDayAsString({5, 4}), "forth Thursday"}});
}

TEST_F(EventDescriptionTest, Alarms) {
    CalAlarm alarm;
    alarm.setRelativeTrigger(-900);
    EXPECT_EQ(description.descriptionOfAlarm(alarm), "Alert 15 minutes before");
    alarm.setAbsoluteTrigger(at(2026, 6, 12, 9).toQDateTime()); // wins over the relative one
    EXPECT_EQ(description.descriptionOfAlarm(alarm, june10()), "Alert Fri 9:00 AM");
    const std::pair<double, const char*> triggers[] = {
        {0, "at time of event"},      {7200, "2 hours after"},     {-172800, "2 days before"},
        {-5400, "90 minutes before"}, {-90000, "25 hours before"}, {-89.6, "90 seconds before"}};
    for (const auto& [seconds, expected] : triggers)
        EXPECT_EQ(EventDescription::describeAlarmRelativeTrigger(seconds), expected) << seconds;
}

// Every broken invariant of the date code, with the text it reports.
TEST_F(EventDescriptionTest, InternalFailureTexts) {
    using Rule = CalRecurrenceRule;
    auto monthly = Rule::rule(Rule::Monthly), yearly = Rule::rule(Rule::Yearly),
         odd = Rule::rule(Rule::Daily);
    monthly->nthWeekDaysOfTheMonth = yearly->nthWeekDaysOfTheMonth = QList<CalNthWeekDay>{{2, 1}, {4, 3}};
    yearly->monthsOfTheYear = QList<int>{1};
    odd->recurrenceType = 4;
    auto german = std::make_shared<DateFormatter>();
    german->setLocale(QStringLiteral("de_DE"));
    const DateFormatter& f = *formatter;
    const QList<int> lastOutOfRange{2, 8};
    const CalNthWeekDay fifthMonday{2, 5};
    const char* const notEnglish =
        "ownDateFormatter should be set to locale en_US, because that's what we can parse.";
    const std::pair<std::function<void()>, const char*> cases[] = {
        {[&] { f.dayOfWeekAsString(0); }, "i in [1,7] range 0"},
        {[&] { f.dayOfWeekAsString(8); }, "i in [1,7] range 8"},
        {[&] { f.daysOfTheWeekAsString(lastOutOfRange); }, "dayOfWeek in [1,7] range"},
        {[&] { f.monthsOfTheYearAsString({13}); }, "month index in [1,12] range 13"},
        {[] { CalendarInformation::localizedIndexFromWeekDayIndex(0); }, "weekday index in [1,7] range 0"},
        {[] { CalendarInformation::localizedIndexFromWeekDayIndex(8); }, "weekday index in [1,7] range 8"},
        {[] { CalendarInformation::weekDayIndexFromLocalizedIndex(-1); }, "column in [0,6] range -1"},
        {[] { CalendarInformation::weekDayIndexFromLocalizedIndex(7); }, "column in [0,6] range 7"},
        {[] { CalendarInformation::dayOfWeekAsString(0); }, "i in [1,7] range 0"},
        {[] { CalendarInformation::daysOfTheWeekAsString({9}); }, "dayOfWeek in [1,7] range"},
        {[] { CalendarInformation::monthsOfTheYearAsString({13}); }, "month index in [1,12] range 13"},
        {[&] { description.nthWeekDayAsString(fifthMonday); }, "week number in {-1,1,2,3,4} 5"},
        {[&] { description.descriptionOfRecurrence(*monthly); },
         "single nth week days of the month expected"},
        {[&] { description.descriptionOfRecurrence(*yearly); },
         "single nth week days of the month expected in yearly recurrence type"},
        {[&] { description.descriptionOfRecurrence(*odd); }, "Unknown recurrance type in description"},
        {[&] { EventDescription{german}; }, notEnglish},
        // No locale of its own is not en_US either, even when the default locale is.
        {[] { EventDescription{std::make_shared<DateFormatter>()}; }, notEnglish},
        {[] { EventDescription{nullptr}; }, notEnglish},
    };
    for (const auto& [action, text] : cases)
        EXPECT_EQ(failureText(action), text);
}

} // namespace
