// The custom recurrence dialog: matrix positions, the locale's week order, at least one cell on, and rules
// read in and built back.
#include "DateEnvironmentGuard.h"
#include "RecurrenceTestSupport.h"
#include "TestSupport.h"

#include "editing/CustomRecurrenceController.h"
#include "editing/ToggleMatrix.h"
#include "records/CalRecurrenceRule.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>
#include <QTest>
#include <QTimer>
#include <QToolButton>

#include <gtest/gtest.h>

namespace {

using Controller = CustomRecurrenceController;

class CustomRecurrenceTest : public ::testing::Test {
protected:
    void SetUp() override { dialog.show(); } // clicks reach shown widgets
    void configure(const std::shared_ptr<Rule>& rule, const QDateTime& start = wednesdayJune10()) {
        dialog.configure(rule, start);
    }
    // The weekdays whose cells are on, in column order.
    QList<int> weekdaysOn() const {
        QList<int> weekdays;
        for (int column : dialog.weekdayMatrix()->onCells())
            weekdays.append(dialog.weekdayOfColumn(column));
        return weekdays;
    }
    QToolButton* weekdayCell(int weekday) const {
        for (int column = 0; column < 7; ++column) {
            if (dialog.weekdayOfColumn(column) == weekday)
                return dialog.weekdayMatrix()->cell(0, column);
        }
        return nullptr;
    }

    DateEnvironmentGuard guard{QStringLiteral("America/New_York")};
    Controller dialog;
};

TEST_F(CustomRecurrenceTest, DaysAndMonthsSitAtTheirMatrixPositions) {
    // Each position, and the cell that really stands there.
    ToggleMatrix* days = dialog.daysOfTheMonthMatrix();
    for (const auto& [day, row, column] : {std::tuple{31, 4, 2}, {7, 0, 6}, {8, 1, 0}}) {
        EXPECT_EQ(Controller::rowForDayOfTheMonth(day), row) << day;
        EXPECT_EQ(Controller::columnForDayOfTheMonth(day), column) << day;
        EXPECT_EQ(days->cell(row, column)->text(), QString::number(day));
    }
    EXPECT_EQ(days->count(), 31);
    EXPECT_EQ(days->cell(4, 3), nullptr);
    ToggleMatrix* months = dialog.monthMatrix();
    for (const auto& [month, row, column, name] : {std::tuple{12, 2, 3, "Dec"}, {5, 1, 0, "May"}}) {
        EXPECT_EQ(Controller::rowForMonth(month), row) << month;
        EXPECT_EQ(Controller::columnForMonth(month), column) << month;
        EXPECT_EQ(months->cell(row, column)->text(), QString::fromLatin1(name));
    }
    EXPECT_EQ(months->cell(2, 3)->accessibleName(), QStringLiteral("December"));
}

TEST_F(CustomRecurrenceTest, TheWeekStartsOnSundayInTheUnitedStates) {
    ToggleMatrix* weekdays = dialog.weekdayMatrix();
    const char* const names[] = {"Sunday",   "Monday", "Tuesday", "Wednesday",
                                 "Thursday", "Friday", "Saturday"};
    for (int column = 0; column < 7; ++column) {
        EXPECT_EQ(dialog.weekdayOfColumn(column), column + 1);
        EXPECT_EQ(weekdays->cell(0, column)->accessibleName(), QString::fromLatin1(names[column]));
        EXPECT_EQ(weekdays->cell(0, column)->text(), QString(QLatin1Char(names[column][0])));
    }
}

TEST(CustomRecurrenceLocale, TheWeekStartsOnMondayInGermanyAndRulesFollowTheColumns) {
    DateEnvironmentGuard german(QStringLiteral("Europe/Berlin"), QStringLiteral("de_DE"));
    Controller dialog;
    dialog.show();
    const char* const names[] = {"Montag",  "Dienstag", "Mittwoch", "Donnerstag",
                                 "Freitag", "Samstag",  "Sonntag"};
    for (int column = 0; column < 7; ++column) {
        EXPECT_EQ(dialog.weekdayOfColumn(column), column == 6 ? 1 : column + 2);
        EXPECT_EQ(dialog.weekdayMatrix()->cell(0, column)->accessibleName(),
                  QString::fromLatin1(names[column]));
    }
    EXPECT_EQ(dialog.monthMatrix()->cell(0, 2)->accessibleName(), QStringLiteral("März"));

    auto rule = Rule::rule(Rule::Weekly);
    rule->daysOfTheWeek = QList<int>{1, 2}; // Sunday and Monday: the last and the first column
    dialog.configure(rule, wednesdayJune10());
    EXPECT_EQ(dialog.weekdayMatrix()->onCells(), (QList<int>{0, 6}));
    EXPECT_EQ(dialog.rule()->daysOfTheWeek, (QList<int>{2, 1})); // column order
}

TEST_F(CustomRecurrenceTest, SwitchingOffTheOnlyWeekdayLeavesItOn) {
    configure(Rule::rule(Rule::Weekly));
    QToolButton* wednesday = weekdayCell(4);
    ASSERT_TRUE(wednesday->isChecked());
    QTest::mouseClick(wednesday, Qt::LeftButton);
    EXPECT_TRUE(wednesday->isChecked());
    EXPECT_EQ(dialog.weekdayMatrix()->numberOfEnabledCells(), 1);

    QTest::mouseClick(weekdayCell(6), Qt::LeftButton);
    QTest::mouseClick(wednesday, Qt::LeftButton);
    EXPECT_FALSE(wednesday->isChecked());
    EXPECT_EQ(weekdaysOn(), QList<int>{6});

    // Space on the focused cell is a click too.
    weekdayCell(6)->setFocus();
    QTest::keyClick(weekdayCell(6), Qt::Key_Space);
    EXPECT_TRUE(weekdayCell(6)->isChecked());

    // The same for days of the month and months.
    configure(Rule::rule(Rule::Monthly));
    QToolButton* tenth = dialog.daysOfTheMonthMatrix()->cellAt(9);
    ASSERT_TRUE(tenth->isChecked());
    QTest::mouseClick(tenth, Qt::LeftButton);
    EXPECT_TRUE(tenth->isChecked());
    configure(Rule::rule(Rule::Yearly));
    QToolButton* june = dialog.monthMatrix()->cellAt(5);
    ASSERT_TRUE(june->isChecked());
    QTest::mouseClick(june, Qt::LeftButton);
    EXPECT_TRUE(june->isChecked());
}

TEST_F(CustomRecurrenceTest, AWeeklyRuleWithoutDaysMarksTheStartDatesWeekday) {
    configure(Rule::rule(Rule::Weekly, 3));
    EXPECT_EQ(dialog.kindButton()->currentIndex(), Controller::WeeklyKind);
    EXPECT_EQ(weekdaysOn(), QList<int>{4});
    EXPECT_EQ(dialog.intervalField(Controller::WeeklyKind)->value(), 3);
    const auto built = dialog.rule();
    EXPECT_EQ(built->recurrenceType, Rule::Weekly);
    EXPECT_EQ(built->recurrenceInterval, 3);
    EXPECT_EQ(built->daysOfTheWeek, QList<int>{4});
    EXPECT_EQ(built->recurrenceEnd, std::nullopt);

    // Saturday January 3, 2026, late in the evening in New York (already Sunday in UTC).
    configure(Rule::rule(Rule::Weekly), at(2026, 1, 3, 22).toQDateTime());
    EXPECT_EQ(weekdaysOn(), QList<int>{7});
    // A large interval from another program is kept.
    configure(Rule::rule(Rule::Weekly, 5000));
    EXPECT_EQ(dialog.rule()->recurrenceInterval, 5000);
}

TEST_F(CustomRecurrenceTest, AWeeklyRuleShowsItsDaysAndIsBuiltInWeekOrder) {
    auto rule = Rule::rule(Rule::Weekly, 2);
    rule->daysOfTheWeek = QList<int>{5, 2};
    rule->recurrenceEnd = CalRecurrenceEnd{false, QDateTime(), 4};
    configure(rule);
    EXPECT_EQ(weekdaysOn(), (QList<int>{2, 5}));
    QTest::mouseClick(weekdayCell(1), Qt::LeftButton);
    const auto built = dialog.rule();
    EXPECT_EQ(built->daysOfTheWeek, (QList<int>{1, 2, 5}));
    EXPECT_EQ(built->recurrenceInterval, 2);
    EXPECT_EQ(built->recurrenceEnd, std::nullopt); // the caller adds the end
}

TEST_F(CustomRecurrenceTest, AMonthlyRuleOnTheThirdWednesdayRoundTrips) {
    auto rule = Rule::rule(Rule::Monthly, 2);
    rule->nthWeekDaysOfTheMonth = QList<CalNthWeekDay>{{4, 3}};
    configure(rule, at(2026, 6, 2, 9).toQDateTime()); // a Tuesday: the defaults differ from the rule
    EXPECT_EQ(dialog.kindButton()->currentIndex(), Controller::MonthlyKind);
    EXPECT_TRUE(dialog.nthWeekdayModeButton()->isChecked());
    EXPECT_FALSE(dialog.daysOfTheMonthModeButton()->isChecked());
    EXPECT_EQ(dialog.monthViewWeekdayButton()->currentIndex(), 3);
    EXPECT_EQ(dialog.monthViewWeekdayButton()->currentText(), QStringLiteral("Wednesday"));
    EXPECT_EQ(dialog.monthViewNthWeekdayButton()->currentData().toInt(), 3);
    EXPECT_EQ(dialog.monthViewNthWeekdayButton()->currentText(), QStringLiteral("third"));
    EXPECT_TRUE(dialog.monthViewWeekdayButton()->isEnabled());
    EXPECT_FALSE(dialog.daysOfTheMonthMatrix()->isEnabled());
    EXPECT_EQ(dialog.intervalField(Controller::MonthlyKind)->value(), 2);

    const auto built = dialog.rule();
    EXPECT_EQ(built->recurrenceType, Rule::Monthly);
    EXPECT_EQ(built->recurrenceInterval, 2);
    EXPECT_EQ(built->nthWeekDaysOfTheMonth, (QList<CalNthWeekDay>{{4, 3}}));
    EXPECT_EQ(built->daysOfTheMonth, std::nullopt);

    // The days of the month keep the start date's day for a switch to "Each".
    QTest::mouseClick(dialog.daysOfTheMonthModeButton(), Qt::LeftButton);
    EXPECT_TRUE(dialog.daysOfTheMonthMatrix()->isEnabled());
    EXPECT_EQ(dialog.rule()->daysOfTheMonth, QList<int>{2});
    EXPECT_EQ(dialog.rule()->nthWeekDaysOfTheMonth, std::nullopt);
}

TEST_F(CustomRecurrenceTest, TheLastFridayRoundTrips) {
    auto rule = Rule::rule(Rule::Monthly);
    rule->nthWeekDaysOfTheMonth = QList<CalNthWeekDay>{{6, -1}};
    configure(rule);
    EXPECT_EQ(dialog.monthViewNthWeekdayButton()->currentText(), QStringLiteral("last"));
    EXPECT_EQ(dialog.monthViewWeekdayButton()->currentIndex(), 5);
    EXPECT_EQ(dialog.rule()->nthWeekDaysOfTheMonth, (QList<CalNthWeekDay>{{6, -1}}));

    // Chosen by the user in a rule that started without one.
    configure(Rule::rule(Rule::Monthly));
    EXPECT_TRUE(dialog.daysOfTheMonthModeButton()->isChecked());
    EXPECT_EQ(dialog.rule()->daysOfTheMonth, QList<int>{10});
    QTest::mouseClick(dialog.nthWeekdayModeButton(), Qt::LeftButton);
    // The defaults are the start date's place in its month: the second Wednesday.
    EXPECT_EQ(dialog.rule()->nthWeekDaysOfTheMonth, (QList<CalNthWeekDay>{{4, 2}}));
    choose(dialog.monthViewNthWeekdayButton(), QStringLiteral("last"));
    choose(dialog.monthViewWeekdayButton(), QStringLiteral("Friday"));
    EXPECT_EQ(dialog.rule()->nthWeekDaysOfTheMonth, (QList<CalNthWeekDay>{{6, -1}}));
}

TEST_F(CustomRecurrenceTest, AMonthlyRuleOnDaysShowsThemAndBuildsThemAscending) {
    auto rule = Rule::rule(Rule::Monthly);
    rule->daysOfTheMonth = QList<int>{31, 1, 15};
    configure(rule);
    EXPECT_EQ(dialog.daysOfTheMonthMatrix()->onCells(), (QList<int>{0, 14, 30}));
    EXPECT_TRUE(dialog.daysOfTheMonthMatrix()->cell(4, 2)->isChecked());
    QTest::mouseClick(dialog.daysOfTheMonthMatrix()->cell(1, 0), Qt::LeftButton); // day 8
    EXPECT_EQ(dialog.rule()->daysOfTheMonth, (QList<int>{1, 8, 15, 31}));
}

TEST_F(CustomRecurrenceTest, AYearlyRuleWithMonthsAndNthWeekdayRoundTrips) {
    auto rule = Rule::rule(Rule::Yearly, 2);
    rule->monthsOfTheYear = QList<int>{11, 3};
    rule->nthWeekDaysOfTheMonth = QList<CalNthWeekDay>{{6, -1}};
    configure(rule);
    EXPECT_EQ(dialog.kindButton()->currentIndex(), Controller::YearlyKind);
    EXPECT_TRUE(dialog.yearlyWeekOfTheMonthButton()->isChecked());
    EXPECT_EQ(dialog.yearViewWeekdayButton()->currentIndex(), 5);
    EXPECT_EQ(dialog.yearViewNthWeekdayButton()->currentData().toInt(), -1);
    EXPECT_EQ(dialog.monthMatrix()->onCells(), (QList<int>{2, 10}));
    auto built = dialog.rule();
    EXPECT_EQ(built->recurrenceType, Rule::Yearly);
    EXPECT_EQ(built->recurrenceInterval, 2);
    EXPECT_EQ(built->monthsOfTheYear, (QList<int>{3, 11}));
    EXPECT_EQ(built->nthWeekDaysOfTheMonth, (QList<CalNthWeekDay>{{6, -1}}));

    // Without the nth weekday: the months alone; without months: the start date's month.
    QTest::mouseClick(dialog.yearlyWeekOfTheMonthButton(), Qt::LeftButton);
    EXPECT_FALSE(dialog.yearViewWeekdayButton()->isEnabled());
    EXPECT_EQ(dialog.rule()->nthWeekDaysOfTheMonth, std::nullopt);
    configure(Rule::rule(Rule::Yearly));
    EXPECT_FALSE(dialog.yearlyWeekOfTheMonthButton()->isChecked());
    EXPECT_EQ(dialog.rule()->monthsOfTheYear, QList<int>{6});
}

TEST_F(CustomRecurrenceTest, EachKindKeepsItsSettingsAndOnlyTheChosenOneIsBuilt) {
    auto rule = Rule::rule(Rule::Daily, 5);
    configure(rule);
    EXPECT_EQ(dialog.kindButton()->currentIndex(), Controller::DailyKind);
    EXPECT_FALSE(dialog.kindView(Controller::DailyKind)->isHidden());
    EXPECT_EQ(dialog.intervalField(Controller::DailyKind)->value(), 5);
    EXPECT_EQ(dialog.intervalField(Controller::WeeklyKind)->value(), 1);
    const int dailyHeight = dialog.height();

    choose(dialog.kindButton(), QStringLiteral("Monthly"));
    EXPECT_TRUE(dialog.kindView(Controller::DailyKind)->isHidden());
    EXPECT_FALSE(dialog.kindView(Controller::MonthlyKind)->isHidden());
    // The dialog takes the size of the larger view at once.
    EXPECT_GT(dialog.height(), dailyHeight + 100);
    EXPECT_EQ(dialog.rule()->recurrenceType, Rule::Monthly);
    EXPECT_EQ(dialog.rule()->recurrenceInterval, 1);

    choose(dialog.kindButton(), QStringLiteral("Daily"));
    EXPECT_EQ(dialog.height(), dailyHeight);
    EXPECT_EQ(dialog.rule()->recurrenceInterval, 5);
    EXPECT_EQ(dialog.rule()->daysOfTheMonth, std::nullopt);
}

TEST_F(CustomRecurrenceTest, IntervalTextThatIsNoPositiveIntegerBecomesOne) {
    configure(Rule::rule(Rule::Daily, 3));
    QSpinBox* field = dialog.intervalField(Controller::DailyKind);
    field->setFocus();
    field->selectAll();
    QTest::keyClicks(field, QStringLiteral("0"));
    QTimer::singleShot(0, &dialog, [this] { dialog.buttons()->button(QDialogButtonBox::Ok)->click(); });
    EXPECT_EQ(dialog.exec(), QDialog::Accepted);
    EXPECT_EQ(dialog.rule()->recurrenceInterval, 1);
    EXPECT_EQ(field->text(), QStringLiteral("1"));

    // A number being typed counts when Return accepts the dialog.
    configure(Rule::rule(Rule::Daily, 3));
    QTimer::singleShot(0, &dialog, [field] {
        field->setFocus();
        field->selectAll();
        QTest::keyClicks(field, QStringLiteral("12"));
        QTest::keyClick(field, Qt::Key_Return);
    });
    EXPECT_EQ(dialog.exec(), QDialog::Accepted);
    EXPECT_EQ(dialog.rule()->recurrenceInterval, 12);
    EXPECT_EQ(dialog.intervalField(Controller::DailyKind)->accessibleName(),
              QStringLiteral("Repeat every how many days"));

    // Letters cannot be typed at all.
    configure(Rule::rule(Rule::Daily, 3));
    field->selectAll();
    QTest::keyClicks(field, QStringLiteral("x"));
    EXPECT_EQ(field->text(), QStringLiteral("3"));
}

TEST_F(CustomRecurrenceTest, BadRulesAreInvariantViolations) {
    auto rule = Rule::rule(Rule::Monthly);
    rule->nthWeekDaysOfTheMonth = QList<CalNthWeekDay>{{2, 1}, {3, 2}};
    EXPECT_EQ(failureText([&] { configure(rule); }),
              "Single weekday expected: (weekday 2 week 1, weekday 3 week 2)");
    EXPECT_EQ(failureText([&] { configure(nullptr); }), "Must have recurrence rule");
    EXPECT_EQ(failureText([&] { configure(Rule::rule(Rule::Daily), QDateTime()); }),
              "Must have startDate rule");
    auto unknown = Rule::rule(Rule::Daily);
    unknown->recurrenceType = 9;
    EXPECT_EQ(failureText([&] { configure(unknown); }),
              "Unknwon recurrenceType event rule type 9 interval 1");
}

TEST_F(CustomRecurrenceTest, MatrixCellsAreOneTabStopWithArrowKeys) {
    configure(Rule::rule(Rule::Monthly));
    QApplication::setActiveWindow(&dialog);
    ToggleMatrix* days = dialog.daysOfTheMonthMatrix();
    dialog.daysOfTheMonthModeButton()->setFocus();
    QTest::keyClick(&dialog, Qt::Key_Tab);
    EXPECT_EQ(QApplication::focusWidget(), days->cellAt(0));
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Right);
    EXPECT_EQ(focusAfter(Qt::Key_Down), days->cell(1, 1));
    focusAfter(Qt::Key_Space);
    EXPECT_TRUE(days->cell(1, 1)->isChecked()); // day 9
    // Tab leaves the matrix (the unchecked radio button and the disabled pop-ups are no stops); Shift+Tab
    // comes back to the cell last focused.
    EXPECT_EQ(focusAfter(Qt::Key_Tab), dialog.buttons()->button(QDialogButtonBox::Ok));
    EXPECT_EQ(focusAfter(Qt::Key_Backtab), days->cell(1, 1));

    // The arrow keys switch to the nth weekday, whose pop-ups then follow in the Tab order.
    EXPECT_EQ(focusAfter(Qt::Key_Backtab), dialog.daysOfTheMonthModeButton());
    focusAfter(Qt::Key_Down);
    EXPECT_TRUE(dialog.nthWeekdayModeButton()->isChecked());
    EXPECT_EQ(focusAfter(Qt::Key_Tab), dialog.monthViewNthWeekdayButton());
    EXPECT_EQ(focusAfter(Qt::Key_Tab), dialog.monthViewWeekdayButton());
}

TEST_F(CustomRecurrenceTest, OkAcceptsAndCancelRejects) {
    configure(Rule::rule(Rule::Weekly));
    QTimer::singleShot(0, &dialog, [this] {
        QTest::mouseClick(weekdayCell(2), Qt::LeftButton);
        QTest::mouseClick(dialog.buttons()->button(QDialogButtonBox::Ok), Qt::LeftButton);
    });
    EXPECT_EQ(dialog.exec(), QDialog::Accepted);
    EXPECT_EQ(dialog.rule()->daysOfTheWeek, (QList<int>{2, 4}));
    QTimer::singleShot(0, &dialog, [this] {
        QTest::mouseClick(dialog.buttons()->button(QDialogButtonBox::Cancel), Qt::LeftButton);
    });
    EXPECT_EQ(dialog.exec(), QDialog::Rejected);
    EXPECT_FALSE(dialog.isVisible());
}

} // namespace
