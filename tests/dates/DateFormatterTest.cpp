#include "DateEnvironmentGuard.h"
#include "TestSupport.h"

#include "dates/CalendarInformation.h"
#include "dates/DateFormatter.h"
#include "dates/SmartDateValueTransformer.h"
#include "dates/TruncateToDayValueTransformer.h"
#include "dates/serialString.h"

#include <gtest/gtest.h>

#include <array>

namespace {

const QString NEW_YORK = QStringLiteral("America/New_York");

// Each row: what was written, and what should have been.
void expectRows(std::initializer_list<std::pair<QString, const char*>> rows) {
    for (const auto& [actual, expected] : rows)
        EXPECT_EQ(actual, QString::fromUtf8(expected));
}

CalendarDate utc(const char* iso) {
    return CalendarDate::fromQDateTime(QDateTime::fromString(QString::fromLatin1(iso), Qt::ISODate));
}

class DateFormatterTest : public ::testing::Test {
protected:
    DateFormatterTest() { f24.setTimeModeHours(24); }
    DateEnvironmentGuard guard{NEW_YORK};
    DateFormatter f12, f24;
};

TEST_F(DateFormatterTest, SingleValues) {
    const CalendarDate evening = at(2026, 1, 5, 21, 5), morning = at(2026, 1, 5, 9, 5);
    expectRows({
        {f12.timeDescription12h(at(2026, 1, 5)), "12:00 AM"},
        {f12.timeDescription12h(at(2026, 1, 5, 12)), "12:00 PM"},
        {f12.meridiemWithDate(morning), "AM"},
        {f24.timeDescriptionWithDate(morning), "9:05"},
        {f24.timeDescriptionWithDate(at(2026, 1, 5)), "0:00"},
        {f12.hourWithDate(evening), "09"},
        {f24.hourWithDate(evening), "21"},
        {f24.hourWithDate(morning), "09"},
        {f12.dateDescriptionWithDate(evening), "Mon Jan 5 9:05 PM"},
        {f24.dateDescriptionWithDate(evening), "Mon Jan 5 21:05"},
        {f12.weekdayAndDayOfMonthWithDate(evening), "Mon 5"},
        {f12.monthWithDate(evening), "January"},
        {f12.yearWithDate(evening), "2026"},
        {f12.tinyWeekdayWithDate(evening), "M"},
        {f12.dayOfMonthWithDate(evening), "5"},
    });
}

TEST_F(DateFormatterTest, Ranges) {
    const auto jan = [](int day, int hour = 0, int minute = 0) { return at(2026, 1, day, hour, minute); };
    expectRows({
        {f12.timeDescription(jan(5, 9), jan(5, 10, 30)), "9:00–10:30 AM"},
        {f12.timeDescription(jan(5, 11), jan(5, 13)), "11:00 AM–1:00 PM"},
        {f24.timeDescription(jan(5, 11), jan(5, 13)), "11:00–13:00"},
        {f12.dateDescription(jan(5, 9), jan(5, 10, 30)), "Mon Jan 5 9:00–10:30 AM"},
        {f12.timeDescription(jan(5), jan(6)), "Mon Jan 5"},
        {f12.dateDescription(jan(5), jan(8)), "Mon Jan 5–Wed Jan 7"},
        {f12.timeDescription(jan(5, 9), jan(6, 9)), "Mon Jan 5 9:00 AM–Tue Jan 6 9:00 AM"},
        {f24.dateDescription(jan(5, 9), jan(6, 9)), "Mon Jan 5 9:00–Tue Jan 6 9:00"},
        {f12.dateDescription(jan(5), jan(6, 9)), "Mon Jan 5 12:00 AM–Tue Jan 6 9:00 AM"},
    });
}

// March 8 has 23 hours, November 1 has 25 and shows 1:30 twice. From midnight to midnight each is one day,
// where a comparison with 86,400 s would write "12:00–12:00 AM" and "Sun Nov 1–Sun Nov 1".
TEST_F(DateFormatterTest, AcrossDaylightSavingChanges) {
    const CalendarDate firstOneThirty = utc("2026-11-01T05:30:00Z");
    expectRows({
        {f12.dateDescription(at(2026, 3, 8), at(2026, 3, 9)), "Sun Mar 8"},
        {f12.timeDescription(at(2026, 3, 8), at(2026, 3, 9)), "Sun Mar 8"},
        {f24.timeDescription(at(2026, 3, 8), at(2026, 3, 9)), "Sun Mar 8"},
        {f12.dateDescription(at(2026, 11, 1), at(2026, 11, 2)), "Sun Nov 1"},
        {f12.timeDescription(at(2026, 11, 1), at(2026, 11, 2)), "Sun Nov 1"},
        {f24.timeDescription(at(2026, 11, 1), at(2026, 11, 2)), "Sun Nov 1"},
        {f12.dateDescription(at(2026, 3, 7), at(2026, 3, 10)), "Sat Mar 7–Mon Mar 9"},
        {f12.dateDescription(at(2026, 3, 8), at(2026, 3, 10)), "Sun Mar 8–Mon Mar 9"},
        {f12.dateDescription(at(2026, 10, 31), at(2026, 11, 2)), "Sat Oct 31–Sun Nov 1"},
        {f12.dateDescription(at(2026, 11, 1), at(2026, 11, 3)), "Sun Nov 1–Mon Nov 2"},
        {f12.timeDescription(at(2026, 3, 8, 1), at(2026, 3, 8, 3)), "1:00–3:00 AM"}, // one hour long
        {f24.timeDescriptionWithDate(firstOneThirty), "1:30"},
        {f24.timeDescriptionWithDate(firstOneThirty.addingSeconds(3600)), "1:30"},
    });
}

TEST_F(DateFormatterTest, FollowsTheDefaultTimeZoneAndLocale) {
    const CalendarDate moment = utc("2026-01-05T14:05:00Z");
    EXPECT_EQ(f24.timeDescriptionWithDate(moment), "9:05");
    EXPECT_EQ(f12.monthWithDate(moment), "January");
    EXPECT_EQ(f12.dayOfWeekAsString(2), "Monday");
    {
        DateEnvironmentGuard berlin(QStringLiteral("Europe/Berlin"), QStringLiteral("de_DE"));
        EXPECT_EQ(f24.timeDescriptionWithDate(moment), "15:05");
        EXPECT_EQ(f12.monthWithDate(moment), "Januar");
        EXPECT_EQ(f12.dayOfWeekAsString(2), "Montag");
        DateFormatter english; // a locale of its own beats the default
        english.setLocale(QStringLiteral("en_US"));
        EXPECT_EQ(english.dateDescriptionWithDate(moment), "Mon Jan 5 3:05 PM");
    }
    EXPECT_EQ(f24.timeDescriptionWithDate(moment), "9:05");
}

TEST_F(DateFormatterTest, SetLocaleWritesNamesInThatLanguage) {
    f12.setLocale(QStringLiteral("de-DE"));
    EXPECT_EQ(f12.locale(), "de_DE"); // EventDescription compares the canonical name
    expectRows({{f12.monthWithDate(at(2026, 3, 5)), "März"},
                {f12.monthsOfTheYearAsString({3}), "März"},
                {f12.daysOfTheWeekAsString({1, 7}), "Sonntag and Samstag"}});
    f12.setLocale(QStringLiteral("en_US"));
    EXPECT_EQ(f12.monthsOfTheYearAsString({3}), "March");
    f12.setLocale(QStringLiteral("th_TH")); // the locale's own calendar does not change the year
    EXPECT_EQ(f12.yearWithDate(at(2026, 1, 5)), "2026");
}

TEST_F(DateFormatterTest, NamesAndLists) {
    EXPECT_EQ(f12.weekdayNames().join(u' '), "Sunday Monday Tuesday Wednesday Thursday Friday Saturday");
    EXPECT_EQ(f12.monthNames().join(u' '),
              "January February March April May June July August September October November December");
    expectRows({
        {f12.dayOfWeekAsString(1), "Sunday"},
        {f12.dayOfWeekAsString(7), "Saturday"},
        {f12.daysOfTheWeekAsString({4, 6, 2, 4}), "Monday, Wednesday and Friday"},
        {f12.daysOfTheWeekAsString({7, 1}), "Sunday and Saturday"},
        {f12.monthsOfTheYearAsString({12, 1, 12, 6}), "January, June and December"},
        {serialString(QStringList{}), ""},
        {serialString(QStringList{"a"}), "a"},
        {serialString(QStringList{"a", "b"}), "a and b"},
        {serialString(QStringList{"a", "b", "c", "d"}), "a, b, c and d"},
    });
}

TEST(CalendarInformationTest, ColumnsStartOnTheLocalesFirstWeekday) {
    const std::pair<const char*, std::array<int, 7>> locales[] = {{"en_US", {1, 2, 3, 4, 5, 6, 7}},
                                                                  {"en_GB", {2, 3, 4, 5, 6, 7, 1}}};
    for (const auto& [locale, weekdays] : locales) {
        DateEnvironmentGuard guard(NEW_YORK, QString::fromLatin1(locale));
        EXPECT_EQ(CalendarInformation::firstDay(), weekdays[0]) << locale;
        for (int column = 0; column < 7; ++column) {
            EXPECT_EQ(CalendarInformation::weekDayIndexFromLocalizedIndex(column), weekdays[column])
                << locale;
            EXPECT_EQ(CalendarInformation::localizedIndexFromWeekDayIndex(weekdays[column]), column)
                << locale;
        }
    }
}

TEST(CalendarInformationTest, NamesOfTheDefaultLocale) {
    DateEnvironmentGuard guard(NEW_YORK);
    EXPECT_EQ(CalendarInformation::weekdayNames().first(), "Sunday");
    EXPECT_EQ(CalendarInformation::monthNames().at(6), "July");
    EXPECT_EQ(CalendarInformation::dayOfWeekAsString(2), "Monday");
    DateEnvironmentGuard german(NEW_YORK, QStringLiteral("de_DE"));
    EXPECT_EQ(CalendarInformation::weekdayNames().first(), "Sonntag");
    EXPECT_EQ(CalendarInformation::daysOfTheWeekAsString({6, 2}), "Montag and Freitag");
    EXPECT_EQ(CalendarInformation::monthsOfTheYearAsString({12, 1}), "Januar and Dezember");
}

TEST(ValueTransformers, ShowDatesAndCutThemToTheDay) {
    DateEnvironmentGuard guard(NEW_YORK);
    auto formatter = std::make_shared<DateFormatter>();
    formatter->setTimeModeHours(24);
    SmartDateValueTransformer smart;
    smart.setDateFormatter(formatter);
    EXPECT_EQ(smart.transformedValue(at(2026, 1, 5, 21, 5)), QStringLiteral("Mon Jan 5 21:05"));
    EXPECT_EQ(smart.transformedValue(std::nullopt), std::nullopt);
    // The day the clocks go forward has no 2:00; it still starts at 0:00.
    EXPECT_EQ(TruncateToDayValueTransformer::reverseTransformedValue(at(2026, 3, 8, 15, 30)), at(2026, 3, 8));
    EXPECT_EQ(TruncateToDayValueTransformer::reverseTransformedValue(std::nullopt), std::nullopt);
}

} // namespace
