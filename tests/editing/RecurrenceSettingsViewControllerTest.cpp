// The recurrence panel: entries and their rules, the end controls, the description of custom rules, the
// grid following what is shown, and the "Other..." dialog run for real.
#include "DateEnvironmentGuard.h"
#include "RecurrenceTestSupport.h"
#include "TestSupport.h"

#include "dates/EventDescription.h"
#include "editing/CustomRecurrenceController.h"
#include "editing/GridView.h"
#include "editing/RecurrenceSettingsViewController.h"
#include "editing/ToggleMatrix.h"
#include "records/CalRecurrenceRule.h"

#include <QApplication>
#include <QComboBox>
#include <QDateEdit>
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

using Panel = RecurrenceSettingsViewController;

// "Now" for ends after a date: the day the event starts, 10:15:30.
QDateTime fixedNow() {
    return at(2026, 6, 10, 10, 15, 30).toQDateTime();
}

class RecurrenceSettingsTest : public ::testing::Test {
protected:
    void SetUp() override {
        panel.setStartDate(wednesdayJune10());
        panel.setClock(fixedNow);
        QObject::connect(&panel, &Panel::recurrenceRuleChanged,
                         [this](std::shared_ptr<Rule> rule) { announced.append(rule); });
        panel.show();
    }
    // The last rule announced, which must exist.
    const Rule& last() const {
        if (announced.isEmpty() || !announced.last())
            throw std::logic_error("no rule announced");
        return *announced.last();
    }
    QString recurrenceShown() const { return panel.recurrenceButton()->currentText(); }
    QString endShown() const { return panel.endsTypeButton()->currentText(); }
    // Runs `inDialog` once the "Other..." dialog is up, then chooses "Other...".
    void runOther(std::function<void(CustomRecurrenceController&)> inDialog) {
        QTimer::singleShot(0, &panel, [this, inDialog] {
            CustomRecurrenceController* dialog = panel.customRecurrenceController();
            if (!dialog->isVisible()) {
                ADD_FAILURE() << "the dialog is not up";
                return;
            }
            inDialog(*dialog);
        });
        choose(panel.recurrenceButton(), QStringLiteral("Other..."));
    }
    static void click(CustomRecurrenceController& dialog, QDialogButtonBox::StandardButton which) {
        QTest::mouseClick(dialog.buttons()->button(which), Qt::LeftButton);
    }

    DateEnvironmentGuard guard{QStringLiteral("America/New_York")};
    Panel panel{std::make_shared<EventDescription>()};
    QList<std::shared_ptr<Rule>> announced;
};

TEST_F(RecurrenceSettingsTest, WithoutRuleOnlyTheRecurrencePopUpShows) {
    EXPECT_EQ(recurrenceShown(), QStringLiteral("No Recurrence"));
    EXPECT_TRUE(panel.descriptionLabel()->isHidden());
    EXPECT_FALSE(panel.endsTypeButton()->isVisible());
    EXPECT_FALSE(panel.endsCountField()->isVisible());
    EXPECT_FALSE(panel.endsDatePicker()->isVisible());
    EXPECT_EQ(panel.recurrenceRule(), nullptr);
    const QStringList entries = [this] {
        QStringList texts;
        for (int i = 0; i < panel.recurrenceButton()->count(); ++i)
            texts.append(panel.recurrenceButton()->itemText(i));
        return texts;
    }();
    EXPECT_EQ(entries, (QStringList{"No Recurrence", "Daily", "Weekly", "Monthly", "Yearly", "Other..."}));
}

TEST_F(RecurrenceSettingsTest, ChoosingWeeklyDropsTheDaysAndTheEndOfACustomRule) {
    auto rule = Rule::rule(Rule::Weekly, 2);
    rule->daysOfTheWeek = QList<int>{2, 5};
    rule->recurrenceEnd = CalRecurrenceEnd{true, at(2026, 9, 1).toQDateTime(), 0};
    panel.setRecurrenceRule(rule);
    EXPECT_TRUE(announced.isEmpty()); // setting the rule announces nothing
    EXPECT_EQ(recurrenceShown(), QStringLiteral("Other..."));
    EXPECT_EQ(endShown(), QStringLiteral("Ends After Date"));
    EXPECT_EQ(panel.endsDatePicker()->date(), QDate(2026, 9, 1));

    choose(panel.recurrenceButton(), QStringLiteral("Weekly"));
    ASSERT_EQ(announced.size(), 1);
    EXPECT_EQ(last().recurrenceType, Rule::Weekly);
    EXPECT_EQ(last().recurrenceInterval, 1);
    EXPECT_EQ(last().daysOfTheWeek, std::nullopt);
    EXPECT_EQ(last().recurrenceEnd, std::nullopt);
    EXPECT_EQ(recurrenceShown(), QStringLiteral("Weekly"));
    EXPECT_EQ(endShown(), QStringLiteral("Never Ends"));
    EXPECT_TRUE(panel.descriptionLabel()->isHidden());
    EXPECT_FALSE(panel.endsDatePicker()->isVisible());
    // The panel keeps a copy of its own.
    EXPECT_EQ(panel.recurrenceRule()->recurrenceType, Rule::Weekly);
    EXPECT_NE(panel.recurrenceRule().get(), announced.last().get());
    EXPECT_EQ(rule->recurrenceInterval, 2);

    choose(panel.recurrenceButton(), QStringLiteral("No Recurrence"));
    ASSERT_EQ(announced.size(), 2);
    EXPECT_EQ(announced.last(), nullptr);
    EXPECT_FALSE(panel.endsTypeButton()->isVisible());
}

TEST_F(RecurrenceSettingsTest, EndsAfterCountGivesOneOccurrenceAndTheFieldChangesIt) {
    panel.setRecurrenceRule(Rule::rule(Rule::Daily));
    EXPECT_EQ(endShown(), QStringLiteral("Never Ends"));
    EXPECT_FALSE(panel.endsCountField()->isVisible());

    choose(panel.endsTypeButton(), QStringLiteral("Ends After Count"));
    EXPECT_EQ(last().recurrenceType, Rule::Daily);
    EXPECT_EQ(last().recurrenceInterval, 1);
    EXPECT_EQ(last().recurrenceEnd, (CalRecurrenceEnd{false, QDateTime(), 1}));
    EXPECT_TRUE(panel.endsCountField()->isVisible());
    EXPECT_FALSE(panel.endsDatePicker()->isVisible());
    EXPECT_EQ(panel.endsCountField()->value(), 1);
    EXPECT_EQ(recurrenceShown(), QStringLiteral("Daily"));

    QTest::keyClick(panel.endsCountField(), Qt::Key_Up);
    QTest::keyClick(panel.endsCountField(), Qt::Key_Up);
    EXPECT_EQ(last().recurrenceEnd, (CalRecurrenceEnd{false, QDateTime(), 3}));
    EXPECT_EQ(announced.size(), 3);

    choose(panel.endsTypeButton(), QStringLiteral("Never Ends"));
    EXPECT_EQ(last().recurrenceEnd, std::nullopt);
    EXPECT_FALSE(panel.endsCountField()->isVisible());
}

TEST_F(RecurrenceSettingsTest, EndsAfterDateEndsADayAfterNowAndThePickerMovesTheDay) {
    panel.setRecurrenceRule(Rule::rule(Rule::Weekly));
    choose(panel.endsTypeButton(), QStringLiteral("Ends After Date"));
    ASSERT_TRUE(last().recurrenceEnd);
    EXPECT_TRUE(last().recurrenceEnd->usesEndDate);
    EXPECT_EQ(last().recurrenceEnd->endDate, fixedNow().addSecs(24 * 3600));
    EXPECT_TRUE(panel.endsDatePicker()->isVisible());
    EXPECT_FALSE(panel.endsCountField()->isVisible());
    EXPECT_EQ(panel.endsDatePicker()->date(), QDate(2026, 6, 11));

    // A picked day keeps the end's clock time.
    panel.endsDatePicker()->setDate(QDate(2026, 7, 4));
    EXPECT_EQ(last().recurrenceEnd->endDate, at(2026, 7, 4, 10, 15, 30).toQDateTime());
    EXPECT_EQ(last().recurrenceType, Rule::Weekly);
    EXPECT_EQ(announced.size(), 2);
}

TEST_F(RecurrenceSettingsTest, ReplacingTheEndOfAMonthlyRuleKeepsTheSecondTuesday) {
    auto rule = Rule::rule(Rule::Monthly);
    rule->nthWeekDaysOfTheMonth = QList<CalNthWeekDay>{{3, 2}};
    panel.setRecurrenceRule(rule);
    EXPECT_EQ(recurrenceShown(), QStringLiteral("Other..."));
    EXPECT_EQ(panel.descriptionLabel()->text(), QStringLiteral("every 1 months on the second Tuesday"));

    choose(panel.endsTypeButton(), QStringLiteral("Ends After Count"));
    EXPECT_EQ(last().recurrenceType, Rule::Monthly);
    EXPECT_EQ(last().nthWeekDaysOfTheMonth, (QList<CalNthWeekDay>{{3, 2}}));
    EXPECT_EQ(last().recurrenceEnd, (CalRecurrenceEnd{false, QDateTime(), 1}));
    choose(panel.endsTypeButton(), QStringLiteral("Ends After Date"));
    EXPECT_EQ(last().nthWeekDaysOfTheMonth, (QList<CalNthWeekDay>{{3, 2}}));
    EXPECT_TRUE(last().recurrenceEnd->usesEndDate);
}

TEST_F(RecurrenceSettingsTest, CustomRulesShowOtherAndTheirDescriptionAndTheGridFollows) {
    panel.setRecurrenceRule(Rule::rule(Rule::Daily));
    EXPECT_EQ(recurrenceShown(), QStringLiteral("Daily"));
    EXPECT_TRUE(panel.descriptionLabel()->isHidden());
    const int plainHeight = panel.height();

    QSize announcedSize;
    QObject::connect(panel.gridView(), &GridView::sizeChanged, [&](QSize size) { announcedSize = size; });
    panel.setRecurrenceRule(Rule::rule(Rule::Daily, 2));
    EXPECT_EQ(recurrenceShown(), QStringLiteral("Other..."));
    EXPECT_TRUE(panel.descriptionLabel()->isVisible());
    EXPECT_EQ(panel.descriptionLabel()->text(), QStringLiteral("every 2 days"));
    EXPECT_GT(panel.height(), plainHeight);
    EXPECT_EQ(announcedSize, panel.size());
    EXPECT_EQ(panel.size(), panel.gridView()->size());
    // The description sits under the pop-up, the end controls under it.
    EXPECT_GE(panel.descriptionLabel()->y(), panel.recurrenceButton()->geometry().bottom());
    EXPECT_GE(panel.endsTypeButton()->mapTo(&panel, QPoint(0, 0)).y(),
              panel.descriptionLabel()->geometry().bottom());

    // A long description wraps onto more lines and the panel grows.
    auto weekly = Rule::rule(Rule::Weekly, 3);
    weekly->daysOfTheWeek = QList<int>{1, 2, 3, 4, 5, 6, 7};
    const int oneLine = panel.height();
    panel.setRecurrenceRule(weekly);
    EXPECT_GT(panel.descriptionLabel()->height(), panel.descriptionLabel()->fontMetrics().height() * 3 / 2);
    EXPECT_GT(panel.height(), oneLine);
    EXPECT_TRUE(announced.isEmpty());

    for (const auto& [type, text] : {std::pair{Rule::Weekly, "Weekly"}, std::pair{Rule::Monthly, "Monthly"},
                                     std::pair{Rule::Yearly, "Yearly"}}) {
        panel.setRecurrenceRule(Rule::rule(type));
        EXPECT_EQ(recurrenceShown(), QString::fromLatin1(text));
        EXPECT_TRUE(panel.descriptionLabel()->isHidden());
    }
    // Without rule the hidden rows take only the gaps between the rows.
    panel.setRecurrenceRule(nullptr);
    EXPECT_EQ(panel.height(), panel.recurrenceButton()->height() + panel.gridView()->verticalMargin() * 3);
}

TEST_F(RecurrenceSettingsTest, CancellingOtherOnAnEventWithoutRecurrenceLeavesItWithout) {
    bool ran = false;
    runOther([&](CustomRecurrenceController& dialog) {
        ran = true;
        EXPECT_EQ(dialog.windowModality(), Qt::WindowModal) << "it blocks its editor, not every window";
        // The dialog starts from the weekly rule on the start date's weekday.
        EXPECT_EQ(dialog.kindButton()->currentText(), QStringLiteral("Weekly"));
        EXPECT_EQ(dialog.weekdayMatrix()->onCells(), QList<int>{3});
        click(dialog, QDialogButtonBox::Cancel);
    });
    EXPECT_TRUE(ran);
    EXPECT_FALSE(panel.customRecurrenceController()->isVisible());
    EXPECT_TRUE(announced.isEmpty());
    EXPECT_FALSE(panel.recurrenceRule());
    EXPECT_EQ(recurrenceShown(), QStringLiteral("No Recurrence"));
}

TEST_F(RecurrenceSettingsTest, OkInOtherTakesTheDialogsRuleWithThePanelsEnd) {
    auto rule = Rule::rule(Rule::Weekly);
    rule->recurrenceEnd = CalRecurrenceEnd{false, QDateTime(), 5};
    panel.setRecurrenceRule(rule);
    runOther([](CustomRecurrenceController& dialog) {
        choose(dialog.kindButton(), QStringLiteral("Monthly"));
        QTest::mouseClick(dialog.nthWeekdayModeButton(), Qt::LeftButton);
        choose(dialog.monthViewNthWeekdayButton(), QStringLiteral("third"));
        choose(dialog.monthViewWeekdayButton(), QStringLiteral("Wednesday"));
        QSpinBox* interval = dialog.intervalField(CustomRecurrenceController::MonthlyKind);
        QTest::keyClick(interval, Qt::Key_Up);
        click(dialog, QDialogButtonBox::Ok);
    });
    ASSERT_EQ(announced.size(), 1);
    EXPECT_EQ(last().recurrenceType, Rule::Monthly);
    EXPECT_EQ(last().recurrenceInterval, 2);
    EXPECT_EQ(last().nthWeekDaysOfTheMonth, (QList<CalNthWeekDay>{{4, 3}}));
    EXPECT_EQ(last().recurrenceEnd, (CalRecurrenceEnd{false, QDateTime(), 5}));
    EXPECT_EQ(recurrenceShown(), QStringLiteral("Other..."));
    EXPECT_EQ(panel.descriptionLabel()->text(), QStringLiteral("every 2 months on the third Wednesday"));
    EXPECT_TRUE(panel.descriptionLabel()->isVisible());

    // Cancelling a rule that has one keeps it, and the pop-up shows it again.
    runOther([](CustomRecurrenceController& dialog) {
        EXPECT_EQ(dialog.monthViewNthWeekdayButton()->currentData().toInt(), 3);
        choose(dialog.kindButton(), QStringLiteral("Daily"));
        click(dialog, QDialogButtonBox::Cancel);
    });
    EXPECT_EQ(announced.size(), 1);
    EXPECT_EQ(recurrenceShown(), QStringLiteral("Other..."));
    EXPECT_EQ(panel.recurrenceRule()->recurrenceType, Rule::Monthly);
}

TEST_F(RecurrenceSettingsTest, ControlsHaveNamesMnemonicsATabOrderAndGoWithThePanelsEnabledState) {
    EXPECT_EQ(panel.recurrenceButton()->accessibleName(), QStringLiteral("Repeat"));
    EXPECT_EQ(panel.endsTypeButton()->accessibleName(), QStringLiteral("Ends"));
    EXPECT_EQ(panel.endsCountField()->accessibleName(), QStringLiteral("Number of occurrences"));
    EXPECT_EQ(panel.endsDatePicker()->accessibleName(), QStringLiteral("End date"));
    // Every control is the buddy of a label with a mnemonic.
    const QList<QWidget*> controls{panel.recurrenceButton(), panel.endsTypeButton(), panel.endsCountField(),
                                   panel.endsDatePicker()};
    for (QWidget* control : controls) {
        bool labelled = false;
        for (const QLabel* label : panel.findChildren<QLabel*>())
            labelled = labelled || (label->buddy() == control && label->text().contains(QLatin1Char('&')));
        EXPECT_TRUE(labelled) << control->accessibleName().toStdString();
    }

    panel.setRecurrenceRule(Rule::rule(Rule::Daily));
    choose(panel.endsTypeButton(), QStringLiteral("Ends After Count"));
    QApplication::setActiveWindow(&panel);
    panel.recurrenceButton()->setFocus();
    EXPECT_EQ(focusAfter(Qt::Key_Tab), panel.endsTypeButton());
    QWidget* const count = focusAfter(Qt::Key_Tab);
    EXPECT_TRUE(panel.endsCountField()->isAncestorOf(count) || count == panel.endsCountField());
    // Alt+R goes back to the recurrence pop-up.
    QTest::keyClick(&panel, Qt::Key_R, Qt::AltModifier);
    EXPECT_EQ(QApplication::focusWidget(), panel.recurrenceButton());

    panel.setEnabled(false);
    for (QWidget* control : controls)
        EXPECT_FALSE(control->isEnabled()) << control->accessibleName().toStdString();
    panel.setEnabled(true);
    EXPECT_TRUE(panel.endsTypeButton()->isEnabled());
}

TEST(RecurrenceSettingsAsserts, AnEventDescriptionIsRequired) {
    EXPECT_EQ(failureText([] { RecurrenceSettingsViewController panel(nullptr); }), "have eventDescription");
}

} // namespace
