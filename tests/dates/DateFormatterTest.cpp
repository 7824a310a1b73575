#include "DateEnvironmentGuard.h"
#include "TestSupport.h"

#include "app/InternalInconsistency.h"
#include "dates/CalendarDate.h"
#include "dates/CalendarInformation.h"
#include "dates/DateFormatter.h"
#include "dates/SmartDateValueTransformer.h"
#include "dates/TruncateToDayValueTransformer.h"
#include "dates/serialString.h"

#include <gtest/gtest.h>

#include <functional>
#include <ostream>

namespace {

const QString NEW_YORK = QStringLiteral("America/New_York");

QString en(const char* utf8) {
    return QString::fromUtf8(utf8);
}

class DateFormatterTest : public ::testing::Test {
protected:
    DateEnvironmentGuard guard{NEW_YORK, QStringLiteral("en_US")};
    DateFormatter formatter;
};

} // namespace

// ---- serialString ----

TEST(SerialStringTest, JoinsWithCommasAndAFinalAnd) {
    EXPECT_EQ(serialString(QStringList{}), QString());
    EXPECT_EQ(serialString(QStringList{"a"}), "a");
    EXPECT_EQ(serialString(QStringList{"a", "b"}), "a and b");
    EXPECT_EQ(serialString(QStringList{"a", "b", "c"}), "a, b and c");
    EXPECT_EQ(serialString(QStringList{"a", "b", "c", "d"}), "a, b, c and d");
}

TEST(SerialStringTest, NumbersAsDecimalText) {
    EXPECT_EQ(serialString(QList<int>{}), QString());
    EXPECT_EQ(serialString(QList<int>{7}), "7");
    EXPECT_EQ(serialString(QList<int>{1, 15, 30}), "1, 15 and 30");
    EXPECT_EQ(serialString(QList<int>{-1, 2}), "-1 and 2");
}

// ---- DateFormatter: single values ----

TEST_F(DateFormatterTest, StartsIn12HourModeWithoutLocale) {
    EXPECT_EQ(formatter.timeModeHours(), 12);
    EXPECT_TRUE(formatter.locale().isEmpty());
}

TEST_F(DateFormatterTest, SingleValuesIn12HourMode) {
    const CalendarDate evening = at(2026, 1, 5, 21, 5);
    const CalendarDate morning = at(2026, 1, 5, 9, 5);
    EXPECT_EQ(formatter.timeDescription12h(evening), "9:05 PM");
    EXPECT_EQ(formatter.timeDescription12hNoMeridium(evening), "9:05");
    EXPECT_EQ(formatter.timeDescription24h(evening), "21:05");
    EXPECT_EQ(formatter.meridiemWithDate(evening), "PM");
    EXPECT_EQ(formatter.meridiemWithDate(morning), "AM");
    EXPECT_EQ(formatter.timeDescriptionWithDate(evening), "9:05 PM");
    EXPECT_EQ(formatter.hourWithDate(morning), "09");
    EXPECT_EQ(formatter.hourWithDate(evening), "09");
    EXPECT_EQ(formatter.dateOnlyDescriptionWithDate(evening), "Mon Jan 5");
    EXPECT_EQ(formatter.dateDescriptionWithDate(evening), "Mon Jan 5 9:05 PM");
    EXPECT_EQ(formatter.weekdayAndDayOfMonthWithDate(evening), "Mon 5");
    EXPECT_EQ(formatter.monthWithDate(evening), "January");
    EXPECT_EQ(formatter.yearWithDate(evening), "2026");
    EXPECT_EQ(formatter.tinyWeekdayWithDate(evening), "M");
    EXPECT_EQ(formatter.dayOfMonthWithDate(evening), "5");
    // Midnight and noon in 12-hour form.
    EXPECT_EQ(formatter.timeDescription12h(at(2026, 1, 5)), "12:00 AM");
    EXPECT_EQ(formatter.timeDescription12h(at(2026, 1, 5, 12)), "12:00 PM");
}

TEST_F(DateFormatterTest, SingleValuesIn24HourMode) {
    formatter.setTimeModeHours(24);
    EXPECT_EQ(formatter.timeModeHours(), 24);
    const CalendarDate evening = at(2026, 1, 5, 21, 5);
    EXPECT_EQ(formatter.timeDescriptionWithDate(evening), "21:05");
    EXPECT_EQ(formatter.timeDescriptionWithDate(at(2026, 1, 5, 9, 5)), "9:05");
    EXPECT_EQ(formatter.hourWithDate(evening), "21");
    EXPECT_EQ(formatter.hourWithDate(at(2026, 1, 5, 9)), "09");
    EXPECT_EQ(formatter.dateDescriptionWithDate(evening), "Mon Jan 5 21:05");
    EXPECT_EQ(formatter.timeDescriptionWithDate(at(2026, 1, 5)), "0:00");
}

TEST_F(DateFormatterTest, EvenDay) {
    EXPECT_TRUE(formatter.evenDay(at(2026, 1, 5)));
    EXPECT_FALSE(formatter.evenDay(at(2026, 1, 5, 0, 0, 1)));
    EXPECT_FALSE(formatter.evenDay(at(2026, 1, 5, 12)));
}

// ---- DateFormatter: ranges ----

TEST_F(DateFormatterTest, TimeRangesIn12HourMode) {
    EXPECT_EQ(formatter.timeRangeDescription12h(at(2026, 1, 5, 9), at(2026, 1, 5, 10, 30)),
              en("9:00–10:30 AM"));
    EXPECT_EQ(formatter.timeRangeDescription12h(at(2026, 1, 5, 11), at(2026, 1, 5, 13)),
              en("11:00 AM–1:00 PM"));
    EXPECT_EQ(formatter.timeDescription(at(2026, 1, 5, 9), at(2026, 1, 5, 10, 30)), en("9:00–10:30 AM"));
    EXPECT_EQ(formatter.timeDescription(at(2026, 1, 5, 11), at(2026, 1, 5, 13)), en("11:00 AM–1:00 PM"));
    EXPECT_EQ(formatter.timeDescription(at(2026, 1, 5, 14), at(2026, 1, 5, 15, 30)), en("2:00–3:30 PM"));
}

TEST_F(DateFormatterTest, RangeSeparatorIsAnEnDashWithoutSpaces) {
    const QString text = formatter.timeDescription(at(2026, 1, 5, 9), at(2026, 1, 5, 10, 30));
    EXPECT_TRUE(text.contains(QChar(0x2013)));
    EXPECT_FALSE(text.contains(QStringLiteral(" \u2013")));
    EXPECT_FALSE(text.contains(QStringLiteral("\u2013 ")));
    EXPECT_FALSE(text.contains(QChar('-')));
}

TEST_F(DateFormatterTest, TimeRangesIn24HourMode) {
    formatter.setTimeModeHours(24);
    EXPECT_EQ(formatter.timeDescription(at(2026, 1, 5, 9), at(2026, 1, 5, 10, 30)), en("9:00–10:30"));
    EXPECT_EQ(formatter.timeDescription(at(2026, 1, 5, 11), at(2026, 1, 5, 13)), en("11:00–13:00"));
    EXPECT_EQ(formatter.dateDescription(at(2026, 1, 5, 9), at(2026, 1, 6, 9)),
              en("Mon Jan 5 9:00–Tue Jan 6 9:00"));
}

TEST_F(DateFormatterTest, DateRangeWithinOneDay) {
    EXPECT_EQ(formatter.dateDescription(at(2026, 1, 5, 9), at(2026, 1, 5, 10, 30)),
              en("Mon Jan 5 9:00–10:30 AM"));
}

TEST_F(DateFormatterTest, AllDayRangesOfOneAndThreeDays) {
    EXPECT_EQ(formatter.dateDescription(at(2026, 1, 5), at(2026, 1, 6)), "Mon Jan 5");
    EXPECT_EQ(formatter.dateDescription(at(2026, 1, 5), at(2026, 1, 8)), en("Mon Jan 5–Wed Jan 7"));
    // timeDescription hands day-long ranges to dateDescription.
    EXPECT_EQ(formatter.timeDescription(at(2026, 1, 5), at(2026, 1, 6)), "Mon Jan 5");
    EXPECT_EQ(formatter.timeDescription(at(2026, 1, 5), at(2026, 1, 8)), en("Mon Jan 5–Wed Jan 7"));
}

TEST_F(DateFormatterTest, TwentyFourHoursFromNineHaveDateAndTimeAtBothEnds) {
    EXPECT_EQ(formatter.dateDescription(at(2026, 1, 5, 9), at(2026, 1, 6, 9)),
              en("Mon Jan 5 9:00 AM–Tue Jan 6 9:00 AM"));
    EXPECT_EQ(formatter.timeDescription(at(2026, 1, 5, 9), at(2026, 1, 6, 9)),
              en("Mon Jan 5 9:00 AM–Tue Jan 6 9:00 AM"));
}

TEST_F(DateFormatterTest, MidnightStartWithTimedEndHasDateAndTimeAtBothEnds) {
    EXPECT_EQ(formatter.dateDescription(at(2026, 1, 5), at(2026, 1, 6, 9)),
              en("Mon Jan 5 12:00 AM–Tue Jan 6 9:00 AM"));
}

// A 23-hour day (spring forward) and a 25-hour day (fall back) from midnight to midnight are still one
// day; comparing the length with 86,400 s would write "12:00–12:00 AM" and "Sun Nov 1–Sun Nov 1".
TEST_F(DateFormatterTest, AllDayRangesAcrossDaylightSavingChanges) {
    const CalendarDate march8 = at(2026, 3, 8), march9 = at(2026, 3, 9);
    ASSERT_EQ(march9.secondsSince(march8), 23 * 3600.0);
    EXPECT_EQ(formatter.dateDescription(march8, march9), "Sun Mar 8");
    EXPECT_EQ(formatter.timeDescription(march8, march9), "Sun Mar 8");

    const CalendarDate november1 = at(2026, 11, 1), november2 = at(2026, 11, 2);
    ASSERT_EQ(november2.secondsSince(november1), 25 * 3600.0);
    EXPECT_EQ(formatter.dateDescription(november1, november2), "Sun Nov 1");
    EXPECT_EQ(formatter.timeDescription(november1, november2), "Sun Nov 1");

    // Several days that include a change: the last day is the day before the end.
    EXPECT_EQ(formatter.dateDescription(at(2026, 3, 7), at(2026, 3, 10)), en("Sat Mar 7–Mon Mar 9"));
    EXPECT_EQ(formatter.dateDescription(at(2026, 3, 8), at(2026, 3, 10)), en("Sun Mar 8–Mon Mar 9"));
    EXPECT_EQ(formatter.dateDescription(at(2026, 10, 31), at(2026, 11, 2)), en("Sat Oct 31–Sun Nov 1"));
    EXPECT_EQ(formatter.dateDescription(at(2026, 11, 1), at(2026, 11, 3)), en("Sun Nov 1–Mon Nov 2"));

    formatter.setTimeModeHours(24);
    EXPECT_EQ(formatter.timeDescription(march8, march9), "Sun Mar 8");
    EXPECT_EQ(formatter.timeDescription(november1, november2), "Sun Nov 1");
}

TEST_F(DateFormatterTest, TimedRangesAcrossDaylightSavingChanges) {
    // 1:00 to 3:00 on March 8 lasts one hour and is written as clock times.
    EXPECT_EQ(formatter.timeDescription(at(2026, 3, 8, 1), at(2026, 3, 8, 3)), en("1:00–3:00 AM"));
    EXPECT_EQ(formatter.timeDescription24h(at(2026, 3, 8, 3)), "3:00");
    // The same instant reads as 1:30 twice on November 1.
    const CalendarDate first =
        CalendarDate::fromQDateTime(QDateTime::fromString("2026-11-01T05:30:00Z", Qt::ISODate));
    const CalendarDate second = first.addingSeconds(3600);
    EXPECT_EQ(formatter.timeDescription24h(first), "1:30");
    EXPECT_EQ(formatter.timeDescription24h(second), "1:30");
}

// ---- DateFormatter: time zone and locale ----

TEST_F(DateFormatterTest, FollowsTheDefaultTimeZoneWhenItChanges) {
    const CalendarDate moment =
        CalendarDate::fromQDateTime(QDateTime::fromString("2026-01-05T14:05:00Z", Qt::ISODate));
    formatter.setTimeModeHours(24);
    EXPECT_EQ(formatter.timeDescriptionWithDate(moment), "9:05");
    {
        DateEnvironmentGuard berlin(QStringLiteral("Europe/Berlin"));
        EXPECT_EQ(formatter.timeDescriptionWithDate(moment), "15:05");
        EXPECT_EQ(formatter.dateOnlyDescriptionWithDate(CalendarDate::fromQDateTime(
                      QDateTime::fromString("2026-01-05T23:30:00Z", Qt::ISODate))),
                  "Tue Jan 6");
    }
    EXPECT_EQ(formatter.timeDescriptionWithDate(moment), "9:05");
}

TEST_F(DateFormatterTest, WithoutLocaleFollowsTheDefaultLocale) {
    EXPECT_EQ(formatter.monthWithDate(at(2026, 1, 5)), "January");
    DateEnvironmentGuard german(NEW_YORK, QStringLiteral("de_DE"));
    EXPECT_EQ(formatter.monthWithDate(at(2026, 1, 5)), "Januar");
    EXPECT_EQ(formatter.dayOfWeekAsString(2), "Montag");
}

TEST_F(DateFormatterTest, SetLocaleWritesNamesInThatLanguage) {
    formatter.setLocale(QStringLiteral("de_DE"));
    EXPECT_EQ(formatter.locale(), "de_DE");
    EXPECT_EQ(formatter.monthWithDate(at(2026, 1, 5)), "Januar");
    EXPECT_EQ(formatter.dayOfWeekAsString(2), "Montag");
    EXPECT_EQ(formatter.monthsOfTheYearAsString({3}), QString::fromUtf8("März"));
    EXPECT_EQ(formatter.daysOfTheWeekAsString({1, 7}), "Sonntag and Samstag");

    formatter.setLocale(QStringLiteral("en_US"));
    EXPECT_EQ(formatter.locale(), "en_US");
    EXPECT_EQ(formatter.monthWithDate(at(2026, 1, 5)), "January");
    EXPECT_EQ(formatter.meridiemWithDate(at(2026, 1, 5, 13)), "PM");
    // The locale's own calendar does not change the dates written.
    formatter.setLocale(QStringLiteral("th_TH"));
    EXPECT_EQ(formatter.yearWithDate(at(2026, 1, 5)), "2026");
}

TEST_F(DateFormatterTest, AnEnglishFormatterStaysEnglishWhateverTheDefaultLocale) {
    DateEnvironmentGuard german(NEW_YORK, QStringLiteral("de_DE"));
    formatter.setLocale(QStringLiteral("en_US"));
    EXPECT_EQ(formatter.dateDescriptionWithDate(at(2026, 1, 5, 21, 5)), "Mon Jan 5 9:05 PM");
}

TEST_F(DateFormatterTest, LocaleIdentifierIsCanonical) {
    formatter.setLocale(QStringLiteral("en-US"));
    EXPECT_EQ(formatter.locale(), "en_US");
    formatter.setLocale(QString());
    EXPECT_TRUE(formatter.locale().isEmpty());
}

// ---- DateFormatter: names ----

TEST_F(DateFormatterTest, WeekdayAndMonthNames) {
    EXPECT_EQ(formatter.weekdayNames(),
              (QStringList{"Sunday", "Monday", "Tuesday", "Wednesday", "Thursday", "Friday", "Saturday"}));
    EXPECT_EQ(formatter.monthNames().size(), 12);
    EXPECT_EQ(formatter.monthNames().first(), "January");
    EXPECT_EQ(formatter.monthNames().last(), "December");
    EXPECT_EQ(formatter.dayOfWeekAsString(1), "Sunday");
    EXPECT_EQ(formatter.dayOfWeekAsString(7), "Saturday");
}

TEST_F(DateFormatterTest, DaysOfTheWeekInWeekOrderEachOnce) {
    EXPECT_EQ(formatter.daysOfTheWeekAsString({2, 4, 6}), "Monday, Wednesday and Friday");
    EXPECT_EQ(formatter.daysOfTheWeekAsString({6, 2, 4}), "Monday, Wednesday and Friday");
    EXPECT_EQ(formatter.daysOfTheWeekAsString({4, 6, 2, 4}), "Monday, Wednesday and Friday");
    EXPECT_EQ(formatter.daysOfTheWeekAsString({7, 1}), "Sunday and Saturday");
    EXPECT_EQ(formatter.daysOfTheWeekAsString({3}), "Tuesday");
    EXPECT_EQ(formatter.daysOfTheWeekAsString({}), QString());
}

TEST_F(DateFormatterTest, MonthsOfTheYearInCalendarOrderEachOnce) {
    EXPECT_EQ(formatter.monthsOfTheYearAsString({7, 1}), "January and July");
    EXPECT_EQ(formatter.monthsOfTheYearAsString({12, 1, 12, 6}), "January, June and December");
    EXPECT_EQ(formatter.monthsOfTheYearAsString({}), QString());
}

TEST_F(DateFormatterTest, NumbersOutOfRangeAreInternalInconsistencies) {
    EXPECT_EQ(failureText([&] { formatter.dayOfWeekAsString(0); }), "i in [1,7] range 0");
    EXPECT_EQ(failureText([&] { formatter.dayOfWeekAsString(8); }), "i in [1,7] range 8");
    EXPECT_EQ(failureText([&] { formatter.daysOfTheWeekAsString({2, 8}); }), "dayOfWeek in [1,7] range");
    EXPECT_EQ(failureText([&] { formatter.daysOfTheWeekAsString({0}); }), "dayOfWeek in [1,7] range");
    EXPECT_EQ(failureText([&] { formatter.monthsOfTheYearAsString({13}); }),
              "month index in [1,12] range 13");
    EXPECT_EQ(failureText([&] {
                  formatter.monthsOfTheYearAsString({0, 1});
              }),
              "month index in [1,12] range 0");
}

// ---- CalendarInformation ----

TEST(CalendarInformationTest, SundayFirstInTheUnitedStates) {
    DateEnvironmentGuard guard(NEW_YORK, QStringLiteral("en_US"));
    EXPECT_EQ(CalendarInformation::firstDay(), 1);
    EXPECT_EQ(CalendarInformation::weekDayIndexFromLocalizedIndex(0), 1);
    EXPECT_EQ(CalendarInformation::weekDayIndexFromLocalizedIndex(6), 7);
    EXPECT_EQ(CalendarInformation::localizedIndexFromWeekDayIndex(1), 0);
    EXPECT_EQ(CalendarInformation::localizedIndexFromWeekDayIndex(7), 6);
    EXPECT_EQ(CalendarInformation::weekdayNames().first(), "Sunday");
    EXPECT_EQ(CalendarInformation::monthNames().at(6), "July");
}

TEST(CalendarInformationTest, MondayFirstColumns) {
    DateEnvironmentGuard guard(QStringLiteral("Europe/Berlin"), QStringLiteral("en_GB"));
    ASSERT_EQ(CalendarInformation::firstDay(), 2);
    EXPECT_EQ(CalendarInformation::weekDayIndexFromLocalizedIndex(0), 2);
    EXPECT_EQ(CalendarInformation::weekDayIndexFromLocalizedIndex(5), 7);
    EXPECT_EQ(CalendarInformation::weekDayIndexFromLocalizedIndex(6), 1);
    EXPECT_EQ(CalendarInformation::localizedIndexFromWeekDayIndex(1), 6);
    EXPECT_EQ(CalendarInformation::localizedIndexFromWeekDayIndex(2), 0);
    for (int column = 0; column < 7; ++column)
        EXPECT_EQ(CalendarInformation::localizedIndexFromWeekDayIndex(
                      CalendarInformation::weekDayIndexFromLocalizedIndex(column)),
                  column);
}

TEST(CalendarInformationTest, NamesInTheDefaultLocale) {
    {
        DateEnvironmentGuard guard(QStringLiteral("Europe/Berlin"), QStringLiteral("de_DE"));
        EXPECT_EQ(CalendarInformation::firstDay(), 2);
        EXPECT_EQ(CalendarInformation::dayOfWeekAsString(2), "Montag");
        EXPECT_EQ(CalendarInformation::daysOfTheWeekAsString({6, 2}), "Montag and Freitag");
        EXPECT_EQ(CalendarInformation::monthsOfTheYearAsString({12, 1}), "Januar and Dezember");
    }
    DateEnvironmentGuard guard(NEW_YORK, QStringLiteral("en_US"));
    EXPECT_EQ(CalendarInformation::dayOfWeekAsString(2), "Monday");
    EXPECT_EQ(CalendarInformation::daysOfTheWeekAsString({6, 4, 2}), "Monday, Wednesday and Friday");
    EXPECT_EQ(CalendarInformation::daysOfTheWeekAsString({}), QString());
    EXPECT_EQ(CalendarInformation::monthsOfTheYearAsString({7, 1}), "January and July");
}

TEST(CalendarInformationTest, OutOfRangeAreInternalInconsistencies) {
    DateEnvironmentGuard guard(NEW_YORK, QStringLiteral("en_US"));
    EXPECT_EQ(failureText([] { CalendarInformation::localizedIndexFromWeekDayIndex(0); }),
              "weekday index in [1,7] range 0");
    EXPECT_EQ(failureText([] { CalendarInformation::localizedIndexFromWeekDayIndex(8); }),
              "weekday index in [1,7] range 8");
    EXPECT_EQ(failureText([] { CalendarInformation::weekDayIndexFromLocalizedIndex(7); }),
              "column in [0,6] range 7");
    EXPECT_EQ(failureText([] { CalendarInformation::weekDayIndexFromLocalizedIndex(-1); }),
              "column in [0,6] range -1");
    EXPECT_EQ(failureText([] { CalendarInformation::dayOfWeekAsString(0); }), "i in [1,7] range 0");
    EXPECT_EQ(failureText([] { CalendarInformation::daysOfTheWeekAsString({9}); }),
              "dayOfWeek in [1,7] range");
    EXPECT_EQ(failureText([] { CalendarInformation::monthsOfTheYearAsString({13}); }),
              "month index in [1,12] range 13");
}

TEST(ValueTransformers, ShowDatesAndCutThemToTheDay) {
    DateEnvironmentGuard guard{QStringLiteral("America/New_York"), QStringLiteral("en_US")};
    SmartDateValueTransformer smart;
    EXPECT_EQ(smart.transformedValue(std::nullopt), std::nullopt);
    auto formatter = std::make_shared<DateFormatter>();
    formatter->setTimeModeHours(24);
    smart.setDateFormatter(formatter);
    EXPECT_EQ(smart.transformedValue(at(2026, 1, 5, 21, 5)), QStringLiteral("Mon Jan 5 21:05"));
    // The day the clocks go forward has no 2:00; the day still starts at 0:00.
    EXPECT_EQ(TruncateToDayValueTransformer::reverseTransformedValue(at(2026, 3, 8, 15, 30)), at(2026, 3, 8));
    EXPECT_EQ(TruncateToDayValueTransformer::reverseTransformedValue(std::nullopt), std::nullopt);
}
