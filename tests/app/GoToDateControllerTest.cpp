#include "app/GoToDateController.h"
#include "ProgramTestSupport.h"
#include "base/TextColors.h"
#include "dates/EventDescription.h"
#include "timeline/view/TimelineView.h"

#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QMenuBar>
#include <QTest>

namespace {

// The program with its clock stopped on a Wednesday.
class GoToDateControllerTest : public ProgramTest {
protected:
    GoToDateControllerTest() {
        launch(true);
        QCoreApplication::processEvents();
        QObject::connect(&goToDate(), &GoToDateController::sheetDidEnd, [this](int code) { ended = code; });
    }
    static CalendarDate friday() { return wednesday().dateByAddingDays(2); }

    MainWindow& window() const { return delegate.mainWindow(); }
    TimelineViewController& timeline() const { return delegate.timelineViewController(); }
    GoToDateController& goToDate() const { return delegate.goToDateController(); }
    QLineEdit* field() const { return goToDate().commandTextField(); }
    QColor textColor() const { return field()->palette().color(QPalette::Text); }

    // Opens the sheet and waits until it has the keyboard.
    void open() {
        goToDate().showGoToDate(&window());
        ASSERT_TRUE(goToDate().sheet());
        ASSERT_TRUE(QTest::qWaitFor([&] { return QApplication::activeWindow() == goToDate().sheet(); }));
        ASSERT_TRUE(field()->hasFocus());
    }
    static void expectSameMoment(const CalendarDate& actual, const CalendarDate& expected) {
        EXPECT_NEAR(actual.msecsSinceEpoch(), expected.msecsSinceEpoch(), 1.0)
            << actual.toQDateTime().toString(Qt::ISODateWithMs).toStdString() << " instead of "
            << expected.toQDateTime().toString(Qt::ISODateWithMs).toStdString();
    }

    int ended = -1; // how the sheet ended last
};

TEST_F(GoToDateControllerTest, TheTimelineFollowsWhatIsTypedWhileItIsADate) {
    const CalendarDate before = timeline().centeredDate();
    expectSameMoment(before, now());
    open();
    EXPECT_TRUE(goToDate().sheet()->isModal());
    EXPECT_EQ(field()->accessibleName(), u"Date"_s);
    EXPECT_FALSE(field()->placeholderText().isEmpty());
    EXPECT_TRUE(goToDate().goButton()->isDefault());

    QTest::keyClicks(field(), u"xyz"_s);
    EXPECT_EQ(textColor(), TextColors::current().invalid);
    expectSameMoment(timeline().centeredDate(), before);

    field()->clear();
    QTest::keyClicks(field(), u"fri"_s);
    EXPECT_EQ(textColor(), TextColors::current().valid);
    EXPECT_EQ(TextColors::current().valid, QColor(Qt::black));
    expectSameMoment(timeline().centeredDate(), friday());
    expectSameMoment(goToDate().date(), friday());
    EXPECT_EQ(goToDate().datePicker()->date(), friday().toQDateTime().toLocalTime().date())
        << "the picker follows";

    // Going on typing past the date: the rest is ignored. Breaking the date turns it red and stays.
    QTest::keyClicks(field(), u" 9am dentist"_s);
    EXPECT_EQ(textColor(), TextColors::current().valid);
    expectSameMoment(timeline().centeredDate(), friday().addingSeconds(9 * 3600));
    field()->setText(u"zz fri"_s);
    EXPECT_EQ(textColor(), TextColors::current().invalid);
    expectSameMoment(timeline().centeredDate(), friday().addingSeconds(9 * 3600));
}

TEST_F(GoToDateControllerTest, EscapePutsTheTimelineBackWhereItWas) {
    timeline().setTimeInterval(7 * 86400.0);
    const CalendarDate before = timeline().centeredDate();
    open();
    QTest::keyClicks(field(), u"+2 weeks"_s);
    expectSameMoment(timeline().centeredDate(), wednesday().dateByAddingDays(14));
    QTest::keyClick(field(), Qt::Key_Escape);
    EXPECT_EQ(ended, 0);
    EXPECT_FALSE(goToDate().sheet()->isVisible());
    expectSameMoment(timeline().centeredDate(), before);
    expectSameMoment(goToDate().date(), before);
    EXPECT_DOUBLE_EQ(timeline().timeInterval(), 7 * 86400.0) << "only the date changes";
}

TEST_F(GoToDateControllerTest, ReturnKeepsTheNewDateAndGivesTheKeysBackToTheTimeline) {
    open();
    QTest::keyClicks(field(), u"fri"_s);
    QTest::keyClick(field(), Qt::Key_Return);
    EXPECT_EQ(ended, 1);
    EXPECT_FALSE(goToDate().sheet()->isVisible());
    expectSameMoment(timeline().centeredDate(), friday());
    EXPECT_TRUE(QTest::qWaitFor([&] { return QApplication::focusWidget() == &window().timelineView(); }));

    // Opened again: an empty field, and Escape now returns to Friday.
    open();
    EXPECT_TRUE(field()->text().isEmpty());
    QTest::keyClicks(field(), u"tomorrow"_s);
    expectSameMoment(timeline().centeredDate(), wednesday().addDay());
    QTest::keyClick(field(), Qt::Key_Escape);
    expectSameMoment(timeline().centeredDate(), friday());
    EXPECT_TRUE(QTest::qWaitFor([&] { return QApplication::focusWidget() == &window().timelineView(); }));
}

TEST_F(GoToDateControllerTest, ThePickedDayMovesTheTimelineAndIsWrittenInTheField) {
    open();
    const CalendarDate picked = wednesday().dateByAddingDays(40);
    const QDate day = picked.toQDateTime().toLocalTime().date();
    goToDate().datePicker()->setDate(day);
    expectSameMoment(timeline().centeredDate(), picked);
    EXPECT_EQ(field()->text(),
              window().timelineView().eventDescription()->descriptionOfOnlyDate(picked, now()));
    EXPECT_EQ(textColor(), TextColors::current().valid);
    goToDate().datePicker()->setDate(friday().toQDateTime().toLocalTime().date());
    EXPECT_EQ(field()->text(), u"Fri"_s) << "within the coming week, the weekday alone";
    expectSameMoment(timeline().centeredDate(), friday());
    goToDate().goButton()->click();
    EXPECT_FALSE(goToDate().sheet()->isVisible());
    expectSameMoment(timeline().centeredDate(), friday());
}

TEST_F(GoToDateControllerTest, TheDateFollowsTheTimelineMovedOtherwise) {
    timeline().nextView();
    expectSameMoment(goToDate().date(), timeline().centeredDate());
    const CalendarDate moved = timeline().centeredDate();
    open();
    QTest::keyClick(field(), Qt::Key_Escape);
    expectSameMoment(timeline().centeredDate(), moved);
}

TEST_F(GoToDateControllerTest, ControlGInTheWindowOpensTheSheet) {
    QAction* found = nullptr;
    for (QAction* menu : window().menuBar()->actions())
        if (menu->text() == u"&View"_s)
            for (QAction* item : menu->menu()->actions())
                if (item->shortcut() == QKeySequence(Qt::CTRL | Qt::Key_G))
                    found = item;
    ASSERT_TRUE(found) << "in the View menu";
    EXPECT_EQ(found->text(), u"Go to Date…"_s);

    ASSERT_TRUE(QTest::qWaitFor([&] { return QApplication::activeWindow() == &window(); }));
    QTest::keyClick(&window(), Qt::Key_G, Qt::ControlModifier);
    ASSERT_TRUE(goToDate().sheet());
    EXPECT_TRUE(goToDate().sheet()->isVisible());
    EXPECT_EQ(goToDate().sheet()->parentWidget(), &window());
    ASSERT_TRUE(QTest::qWaitFor([&] { return QApplication::activeWindow() == goToDate().sheet(); }));
    ASSERT_EQ(QApplication::focusWidget(), field());
    QTest::keyClicks(QApplication::focusWidget(), u"fri"_s);
    expectSameMoment(timeline().centeredDate(), friday());
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
    EXPECT_FALSE(goToDate().sheet()->isVisible());
    expectSameMoment(timeline().centeredDate(), friday());
}

} // namespace
