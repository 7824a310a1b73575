// The calendars outline over a real calendar folder: its groups and order, ticks by mouse and keyboard and
// what they store, the selection both ways, folders made by other programs, and what a restart keeps.
#include "outline/CalendarsOutlineController.h"

#include "LoopTestSupport.h"
#include "TestFiles.h"
#include "outline/CalendarsOutlineModel.h"
#include "outline/ColoredCheckBox.h"

#include <QSignalSpy>
#include <QTest>
#include <QTreeView>

#include <gtest/gtest.h>

#include <memory>

namespace {

class CalendarsOutlineControllerTest : public ::testing::Test {
protected:
    CalendarsOutlineControllerTest() {
        for (const QString& uid : {u"home"_s, u"Work"_s, u"errands"_s, u"Birthdays"_s, u"anniversaries"_s})
            loop.makeCalendar(uid, uid == u"Work"_s);
        loop.makeReadOnly(u"Birthdays"_s);
        loop.makeReadOnly(u"anniversaries"_s);
        loop.load();
    }

    std::unique_ptr<CalendarsOutlineController> makeOutline() {
        auto outline = std::make_unique<CalendarsOutlineController>(loop.model, loop.defaults);
        QTreeView* view = outline->view();
        view->resize(240, 320);
        view->show();
        EXPECT_TRUE(QTest::qWaitForWindowExposed(view));
        return outline;
    }
    QStringList titles(CalendarsOutlineModel::Group group) const {
        const CalendarsOutlineModel* rows = outline->outlineModel();
        const QModelIndex parent = rows->groupIndex(group);
        QStringList result;
        for (int row = 0; row < rows->rowCount(parent); ++row)
            result.append(rows->index(row, 0, parent).data().toString());
        return result;
    }
    QModelIndex rowOf(const QString& uid) const { return outline->outlineModel()->indexOfCalendar(uid); }
    QPoint boxCentre(const QString& uid) const {
        return ColoredCheckBox::rectInCell(outline->view()->visualRect(rowOf(uid))).center();
    }
    QPoint titlePoint(const QString& uid) const {
        const QRect row = outline->view()->visualRect(rowOf(uid));
        return QPoint(ColoredCheckBox::rectInCell(row).right() + 20, row.center().y());
    }
    // The program started again on the same calendar folder and settings file.
    std::unique_ptr<Loop> secondLaunch() {
        loop.defaults.synchronize();
        auto again = std::make_unique<Loop>(loop.settings.filePath(u"verdalune.conf"_s), loop.root.path());
        again->load();
        return again;
    }
    QStringList storedEnabled() {
        loop.defaults.synchronize();
        return loop.defaults.value(u"enabledCalendars"_s).toStringList();
    }

    Loop loop;
    std::unique_ptr<CalendarsOutlineController> outline = makeOutline();
};

TEST_F(CalendarsOutlineControllerTest, groupsEditableAndReadOnlyCalendarsSortedWithoutRegardToCase) {
    const CalendarsOutlineModel* rows = outline->outlineModel();
    EXPECT_EQ(rows->groupIndex(CalendarsOutlineModel::CalendarsGroup).data().toString(), u"CALENDARS"_s);
    EXPECT_EQ(rows->groupIndex(CalendarsOutlineModel::SubscriptionsGroup).data().toString(),
              u"SUBSCRIPTIONS"_s);
    EXPECT_EQ(titles(CalendarsOutlineModel::CalendarsGroup),
              (QStringList{u"errands"_s, u"home"_s, u"Work"_s}));
    EXPECT_EQ(titles(CalendarsOutlineModel::SubscriptionsGroup),
              (QStringList{u"anniversaries"_s, u"Birthdays"_s}));
    for (const auto group :
         {CalendarsOutlineModel::CalendarsGroup, CalendarsOutlineModel::SubscriptionsGroup}) {
        const QModelIndex index = rows->groupIndex(group);
        EXPECT_FALSE(index.flags() & Qt::ItemIsSelectable);
        EXPECT_TRUE(outline->view()->isExpanded(index)) << "first launch expands both groups";
    }
    // A user can tell a synced and a read-only calendar from the others.
    EXPECT_TRUE(rowOf(u"Work"_s).data(CalendarsOutlineModel::IsSyncedRole).toBool());
    EXPECT_FALSE(rowOf(u"home"_s).data(CalendarsOutlineModel::IsSyncedRole).toBool());
    EXPECT_TRUE(rowOf(u"Work"_s).data(Qt::ToolTipRole).toString().contains(u"Synced"_s));
    EXPECT_TRUE(rowOf(u"Birthdays"_s).data(Qt::ToolTipRole).toString().contains(u"Read-only"_s));
    EXPECT_FALSE(rowOf(u"home"_s).data(Qt::ToolTipRole).toString().contains(u"Read-only"_s));
    EXPECT_EQ(outline->view()->accessibleName(), u"Calendars"_s);
}

TEST_F(CalendarsOutlineControllerTest, clickOnTheBoxSwitchesTheCalendarAndTheChoiceSurvivesARestart) {
    QWidget* viewport = outline->view()->viewport();
    QTest::mouseClick(viewport, Qt::LeftButton, {}, boxCentre(u"home"_s));
    EXPECT_FALSE(loop.model.enabledCalendarUids().contains(u"home"_s));
    EXPECT_EQ(rowOf(u"home"_s).data(Qt::CheckStateRole).toInt(), Qt::Unchecked);
    EXPECT_FALSE(storedEnabled().contains(u"home"_s));
    EXPECT_TRUE(storedEnabled().contains(u"Work"_s));

    // A click on the title selects without switching.
    QTest::mouseClick(viewport, Qt::LeftButton, {}, titlePoint(u"Work"_s));
    EXPECT_TRUE(loop.model.enabledCalendarUids().contains(u"Work"_s));
    EXPECT_EQ(loop.model.selectedCalendarUid(), u"Work"_s);

    const auto again = secondLaunch();
    CalendarsOutlineController restarted(again->model, again->defaults);
    EXPECT_EQ(restarted.outlineModel()->indexOfCalendar(u"home"_s).data(Qt::CheckStateRole).toInt(),
              Qt::Unchecked);
    EXPECT_EQ(restarted.outlineModel()->indexOfCalendar(u"Work"_s).data(Qt::CheckStateRole).toInt(),
              Qt::Checked);
    EXPECT_EQ(again->model.enabledCalendarUids().size(), 4);
}

TEST_F(CalendarsOutlineControllerTest, spaceSwitchesTheCurrentRowAndArrowsMove) {
    QTreeView* view = outline->view();
    view->setFocus();
    view->setCurrentIndex(rowOf(u"errands"_s));
    QTest::keyClick(view, Qt::Key_Down);
    EXPECT_EQ(view->currentIndex(), rowOf(u"home"_s));
    QTest::keyClick(view, Qt::Key_Space);
    EXPECT_FALSE(loop.model.enabledCalendarUids().contains(u"home"_s));
    EXPECT_FALSE(storedEnabled().contains(u"home"_s));
    QTest::keyClick(view, Qt::Key_Space);
    EXPECT_TRUE(loop.model.enabledCalendarUids().contains(u"home"_s));
    EXPECT_TRUE(storedEnabled().contains(u"home"_s));
    EXPECT_EQ(loop.model.enabledCalendarUids().size(), 5);
}

TEST_F(CalendarsOutlineControllerTest, theSelectedRowIsTheModelsSelectedCalendarBothWays) {
    QSignalSpy changes(outline.get(), &CalendarsOutlineController::selectionDidChange);
    QTest::mouseClick(outline->view()->viewport(), Qt::LeftButton, {}, titlePoint(u"errands"_s));
    EXPECT_EQ(loop.model.selectedCalendarUid(), u"errands"_s);
    EXPECT_EQ(outline->selectedCalendarUid(), u"errands"_s);
    EXPECT_EQ(changes.count(), 1);

    // A click on a group row selects nothing.
    const QRect group = outline->view()->visualRect(
        outline->outlineModel()->groupIndex(CalendarsOutlineModel::SubscriptionsGroup));
    QTest::mouseClick(outline->view()->viewport(), Qt::LeftButton, {}, group.center());
    EXPECT_EQ(loop.model.selectedCalendarUid(), u"errands"_s);

    loop.model.setSelectedCalendarUid(u"Birthdays"_s);
    const QModelIndexList selected = outline->view()->selectionModel()->selectedIndexes();
    ASSERT_EQ(selected.size(), 1);
    EXPECT_EQ(selected.constFirst(), rowOf(u"Birthdays"_s));
    EXPECT_EQ(outline->selectedCalendarUid(), u"Birthdays"_s);

    outline->setSelectedCalendarUid(u"no such calendar"_s);
    EXPECT_TRUE(outline->view()->selectionModel()->selectedIndexes().isEmpty());
    EXPECT_EQ(outline->selectedCalendarUid(), u"Birthdays"_s);
    EXPECT_EQ(loop.model.selectedCalendarUid(), u"Birthdays"_s);
}

// As at a start: the calendar chosen last time is chosen before the calendars have been read.
TEST(CalendarsOutlineStartTest, aCalendarChosenBeforeTheCalendarsAreReadIsSelectedOnceTheyAre) {
    Loop loop;
    for (const QString& uid : {u"home"_s, u"errands"_s})
        loop.makeCalendar(uid);
    CalendarsOutlineController outline(loop.model, loop.defaults);
    loop.model.setSelectedCalendarUid(u"errands"_s);
    loop.load();
    const QModelIndex errands = outline.outlineModel()->indexOfCalendar(u"errands"_s);
    ASSERT_TRUE(errands.isValid());
    EXPECT_EQ(outline.view()->selectionModel()->selectedIndexes(), QModelIndexList{errands});
    EXPECT_EQ(outline.selectedCalendarUid(), u"errands"_s);
}

TEST_F(CalendarsOutlineControllerTest, aCalendarFolderMadeByAnotherProgramAppearsAndKeepsTheSelection) {
    loop.model.setSelectedCalendarUid(u"home"_s);
    const QDir root(loop.root.path());
    ASSERT_TRUE(writeFile(root.filePath(u"garden/displayname"_s), "Garden\n"));

    ASSERT_TRUE(QTest::qWaitFor([&] { return rowOf(u"garden"_s).isValid(); }, 10000));
    EXPECT_EQ(titles(CalendarsOutlineModel::CalendarsGroup),
              (QStringList{u"errands"_s, u"Garden"_s, u"home"_s, u"Work"_s}));
    EXPECT_EQ(outline->view()->selectionModel()->selectedIndexes(), QModelIndexList{rowOf(u"home"_s)});

    ASSERT_TRUE(QDir(root.filePath(u"garden"_s)).removeRecursively());
    EXPECT_TRUE(QTest::qWaitFor([&] { return !rowOf(u"garden"_s).isValid(); }, 10000));
}

TEST_F(CalendarsOutlineControllerTest, shownOrHiddenAndCollapsedGroupsAreKeptInTheDefaults) {
    QSignalSpy shown(outline.get(), &CalendarsOutlineController::shouldDisplayCalendarsOutlineChanged);
    EXPECT_TRUE(outline->shouldDisplayCalendarsOutline());
    outline->setShouldDisplayCalendarsOutline(false);
    EXPECT_EQ(loop.defaults.value(u"shouldDisplayCalendars"_s).toBool(), false);
    loop.defaults.setValue(u"shouldDisplayCalendars"_s, true);
    EXPECT_TRUE(outline->shouldDisplayCalendarsOutline());
    ASSERT_EQ(shown.count(), 2);
    EXPECT_EQ(shown.at(0).at(0).toBool(), false);
    EXPECT_EQ(shown.at(1).at(0).toBool(), true);

    outline->setShouldDisplayCalendarsOutline(false);
    outline->view()->collapse(outline->outlineModel()->groupIndex(CalendarsOutlineModel::SubscriptionsGroup));
    // Rebuilding the rows keeps the user's choice.
    loop.makeCalendar(u"later"_s);
    ASSERT_TRUE(QTest::qWaitFor([&] { return rowOf(u"later"_s).isValid(); }, 10000));
    EXPECT_FALSE(outline->view()->isExpanded(
        outline->outlineModel()->groupIndex(CalendarsOutlineModel::SubscriptionsGroup)));

    const auto again = secondLaunch();
    CalendarsOutlineController restarted(again->model, again->defaults);
    EXPECT_FALSE(restarted.shouldDisplayCalendarsOutline());
    EXPECT_TRUE(restarted.view()->isExpanded(
        restarted.outlineModel()->groupIndex(CalendarsOutlineModel::CalendarsGroup)));
    EXPECT_FALSE(restarted.view()->isExpanded(
        restarted.outlineModel()->groupIndex(CalendarsOutlineModel::SubscriptionsGroup)));
}

} // namespace
