// Replacing the end of a recurrence rule: what each type keeps and what it drops.
#include "TestSupport.h"

#include "records/CalRecurrenceRule.h"

#include <gtest/gtest.h>

namespace {

using Rule = CalRecurrenceRule;

CalRecurrenceEnd afterCount(int count) {
    return CalRecurrenceEnd{false, QDateTime(), count};
}

CalRecurrenceEnd onDate(const QDateTime& date) {
    return CalRecurrenceEnd{true, date, 0};
}

const QDateTime JUNE_1 = QDateTime(QDate(2026, 6, 1), QTime(9, 0), Qt::UTC);

// Every field of a rule, so that a test names each value it expects.
void expectRule(const Rule& rule, int type, int interval, const std::optional<CalRecurrenceEnd>& end,
                const std::optional<QList<int>>& daysOfTheWeek = std::nullopt,
                const std::optional<QList<int>>& daysOfTheMonth = std::nullopt,
                const std::optional<QList<int>>& months = std::nullopt,
                const std::optional<QList<CalNthWeekDay>>& nth = std::nullopt) {
    EXPECT_EQ(rule.recurrenceType, type);
    EXPECT_EQ(rule.recurrenceInterval, interval);
    EXPECT_EQ(rule.recurrenceEnd, end);
    EXPECT_EQ(rule.daysOfTheWeek, daysOfTheWeek);
    EXPECT_EQ(rule.daysOfTheMonth, daysOfTheMonth);
    EXPECT_EQ(rule.monthsOfTheYear, months);
    EXPECT_EQ(rule.nthWeekDaysOfTheMonth, nth);
}

TEST(CalRecurrenceRuleReplaceEnd, DailyKeepsTheIntervalAndTakesTheNewEnd) {
    auto daily = Rule::rule(Rule::Daily, 3);
    daily->recurrenceEnd = onDate(JUNE_1);
    daily->daysOfTheMonth = QList<int>{5}; // not a daily detail
    const auto replaced = daily->replaceEnd(afterCount(4));
    expectRule(*replaced, Rule::Daily, 3, afterCount(4));
    expectRule(*daily->replaceEnd(std::nullopt), Rule::Daily, 3, std::nullopt);
    // A new rule: the old one is untouched.
    EXPECT_NE(replaced.get(), daily.get());
    EXPECT_EQ(daily->recurrenceEnd, onDate(JUNE_1));
}

TEST(CalRecurrenceRuleReplaceEnd, WeeklyKeepsItsDaysOfTheWeek) {
    auto weekly = Rule::rule(Rule::Weekly, 2);
    weekly->daysOfTheWeek = QList<int>{2, 5};
    weekly->monthsOfTheYear = QList<int>{1};
    expectRule(*weekly->replaceEnd(onDate(JUNE_1)), Rule::Weekly, 2, onDate(JUNE_1), QList<int>{2, 5});
    expectRule(*Rule::rule(Rule::Weekly)->replaceEnd(afterCount(1)), Rule::Weekly, 1, afterCount(1));
}

TEST(CalRecurrenceRuleReplaceEnd, MonthlyKeepsDaysOfTheMonthBeforeTheNthWeekday) {
    auto byDays = Rule::rule(Rule::Monthly);
    byDays->daysOfTheMonth = QList<int>{1, 15, -1};
    byDays->nthWeekDaysOfTheMonth = QList<CalNthWeekDay>{{3, 2}};
    expectRule(*byDays->replaceEnd(afterCount(6)), Rule::Monthly, 1, afterCount(6), std::nullopt,
               QList<int>{1, 15, -1});

    auto secondTuesday = Rule::rule(Rule::Monthly, 2);
    secondTuesday->nthWeekDaysOfTheMonth = QList<CalNthWeekDay>{{3, 2}};
    secondTuesday->daysOfTheWeek = QList<int>{3}; // not a monthly detail
    expectRule(*secondTuesday->replaceEnd(onDate(JUNE_1)), Rule::Monthly, 2, onDate(JUNE_1), std::nullopt,
               std::nullopt, std::nullopt, QList<CalNthWeekDay>{{3, 2}});
    expectRule(*secondTuesday->replaceEnd(std::nullopt), Rule::Monthly, 2, std::nullopt, std::nullopt,
               std::nullopt, std::nullopt, QList<CalNthWeekDay>{{3, 2}});

    expectRule(*Rule::rule(Rule::Monthly, 4)->replaceEnd(afterCount(2)), Rule::Monthly, 4, afterCount(2));
}

TEST(CalRecurrenceRuleReplaceEnd, YearlyKeepsMonthsWithOrWithoutTheNthWeekday) {
    auto lastFridays = Rule::rule(Rule::Yearly);
    lastFridays->monthsOfTheYear = QList<int>{3, 11};
    lastFridays->nthWeekDaysOfTheMonth = QList<CalNthWeekDay>{{6, -1}};
    expectRule(*lastFridays->replaceEnd(afterCount(3)), Rule::Yearly, 1, afterCount(3), std::nullopt,
               std::nullopt, QList<int>{3, 11}, QList<CalNthWeekDay>{{6, -1}});

    auto months = Rule::rule(Rule::Yearly, 2);
    months->monthsOfTheYear = QList<int>{7};
    months->daysOfTheMonth = QList<int>{4}; // dropped, as the table says
    expectRule(*months->replaceEnd(std::nullopt), Rule::Yearly, 2, std::nullopt, std::nullopt, std::nullopt,
               QList<int>{7});

    // An nth weekday without months is dropped.
    auto nthOnly = Rule::rule(Rule::Yearly);
    nthOnly->nthWeekDaysOfTheMonth = QList<CalNthWeekDay>{{2, 1}, {3, 1}};
    expectRule(*nthOnly->replaceEnd(onDate(JUNE_1)), Rule::Yearly, 1, onDate(JUNE_1));
}

TEST(CalRecurrenceRuleReplaceEnd, SeveralNthWeekdaysAndUnknownTypesAreInvariantViolations) {
    auto monthly = Rule::rule(Rule::Monthly);
    monthly->nthWeekDaysOfTheMonth = QList<CalNthWeekDay>{{2, 1}, {4, 3}};
    EXPECT_EQ(failureText([&] { monthly->replaceEnd(std::nullopt); }), "weekDays.count == 1");
    monthly->nthWeekDaysOfTheMonth = QList<CalNthWeekDay>{};
    EXPECT_EQ(failureText([&] { monthly->replaceEnd(std::nullopt); }), "weekDays.count == 1");

    auto yearly = Rule::rule(Rule::Yearly);
    yearly->monthsOfTheYear = QList<int>{1};
    yearly->nthWeekDaysOfTheMonth = QList<CalNthWeekDay>{{2, 1}, {4, 3}};
    EXPECT_EQ(failureText([&] { yearly->replaceEnd(afterCount(1)); }), "weekDays.count == 1");

    auto unknown = Rule::rule(Rule::Daily);
    unknown->recurrenceType = 7;
    EXPECT_EQ(failureText([&] { unknown->replaceEnd(std::nullopt); }), "not implemented");
}

} // namespace
