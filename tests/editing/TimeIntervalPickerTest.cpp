// The alarm time as a count of units: how an interval is shown, and the interval the user enters.
#include "editing/TimeIntervalPicker.h"

#include "TestSupport.h"
#include "WidgetInput.h"

#include <QLabel>
#include <QSignalSpy>
#include <QSpinBox>

namespace {

QComboBox* unitButton(TimeIntervalPicker& picker) {
    return picker.findChild<QComboBox*>();
}

QString shown(TimeIntervalPicker& picker) {
    return QStringLiteral("%1 %2 %3")
        .arg(picker.findChild<QSpinBox*>()->value())
        .arg(unitButton(picker)->currentText(), picker.findChild<QLabel*>()->text());
}

TEST(TimeIntervalPicker, ShowsTheLargestUnitThatHoldsTheIntervalWhole) {
    TimeIntervalPicker picker;
    QSignalSpy changes(&picker, &TimeIntervalPicker::timeIntervalChanged);
    const std::pair<double, const char*> cases[] = {
        {-5400, "90 Minutes before"}, {-86400, "1 Days before"}, {-172800, "2 Days before"},
        {-90, "90 Seconds before"},   {3600, "1 Hours after"},   {-7200, "2 Hours before"},
        {0, "0 Seconds before"},      {1, "1 Seconds after"},    {-0.5, "1 Seconds before"},
    };
    for (const auto& [seconds, expected] : cases) {
        picker.setTimeInterval(seconds);
        EXPECT_EQ(shown(picker), QString::fromLatin1(expected)) << seconds;
        EXPECT_EQ(picker.timeInterval(), seconds);
    }
    // Less than a second after the start still reads "before".
    picker.setTimeInterval(0.5);
    EXPECT_EQ(picker.findChild<QLabel*>()->text(), QStringLiteral("before"));
    EXPECT_EQ(changes.count(), 0) << "only the user's changes are announced";
}

TEST(TimeIntervalPicker, TheUsersValueAndUnitGiveAnIntervalBeforeTheStart) {
    TimeIntervalPicker picker;
    picker.show();
    picker.setTimeInterval(-900);
    QSignalSpy changes(&picker, &TimeIntervalPicker::timeIntervalChanged);
    auto* valueField = picker.findChild<QSpinBox*>();

    valueField->setFocus();
    QTest::keyClick(valueField, Qt::Key_A, Qt::ControlModifier);
    QTest::keyClicks(valueField, QStringLiteral("2"));
    EXPECT_EQ(changes.count(), 0) << "the value is taken when the user is done typing";
    QTest::keyClick(valueField, Qt::Key_Return);
    ASSERT_EQ(changes.count(), 1);
    EXPECT_EQ(changes.takeFirst().at(0).toDouble(), -120);

    chooseEntry(unitButton(picker), QStringLiteral("Hours"));
    ASSERT_EQ(changes.count(), 1);
    EXPECT_EQ(changes.takeFirst().at(0).toDouble(), -7200);
    EXPECT_EQ(picker.timeInterval(), -7200);

    chooseEntry(unitButton(picker), QStringLiteral("Days"));
    ASSERT_EQ(changes.count(), 1);
    EXPECT_EQ(changes.takeFirst().at(0).toDouble(), -172800);
    // What the user typed stays as typed, even where a larger unit would hold it.
    EXPECT_EQ(shown(picker), QStringLiteral("2 Days before"));

    // An interval after the start, shown as it is, turns into one before it once the user changes it.
    picker.setTimeInterval(3600);
    chooseEntry(unitButton(picker), QStringLiteral("Minutes"));
    ASSERT_EQ(changes.count(), 1);
    EXPECT_EQ(changes.takeFirst().at(0).toDouble(), -60);
    EXPECT_EQ(shown(picker), QStringLiteral("1 Minutes before"));
}

} // namespace
