// Removing a calendar over a real calendar folder: which calendar, where its events can go, the files after
// OK, and the one undo step that brings everything back.
#include "outline/RemoveCalendarController.h"

#include "LoopTestSupport.h"

#include <QLabel>
#include <QListWidget>
#include <QMainWindow>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>

#include <gtest/gtest.h>

namespace {

class RemoveCalendarControllerTest : public ::testing::Test {
protected:
    RemoveCalendarControllerTest() {
        for (const QString& uid : {u"home"_s, u"work"_s, u"Archive"_s, u"holidays"_s})
            loop.makeCalendar(uid);
        loop.makeReadOnly(u"holidays"_s);
        loop.makeEvent(u"home"_s, u"dentist"_s);
        loop.makeEvent(u"home"_s, u"yoga"_s, 2, 5);
        loop.makeEvent(u"work"_s, u"standup"_s);
        loop.load();
        window.resize(600, 400);
        window.show();
    }

    QStringList listed() const {
        QStringList titles;
        for (int row = 0; row < dialog.moveToList()->count(); ++row)
            titles.append(dialog.moveToList()->item(row)->text());
        return titles;
    }
    QStringList eventFiles(const QString& calendarUid) const {
        return QDir(QDir(loop.root.path()).filePath(calendarUid)).entryList({u"*.ics"_s}, QDir::Files);
    }
    QString storedCalendarOf(const QString& eventUid) {
        const EventList events = loop.stored(eventUid);
        return events.isEmpty() ? QString() : events.constFirst()->calendar->uid;
    }
    void clickRow(const QString& title) {
        QListWidget* list = dialog.moveToList();
        const QList<QListWidgetItem*> items = list->findItems(title, Qt::MatchExactly);
        ASSERT_EQ(items.size(), 1);
        QTest::mouseClick(list->viewport(), Qt::LeftButton, {},
                          list->visualItemRect(items.constFirst()).center());
    }

    Loop loop;
    QMainWindow window;
    RemoveCalendarController dialog{loop.model, loop.controller, loop.undo};
};

TEST_F(RemoveCalendarControllerTest, movedEventsLandInTheTargetFolderAndOneUndoBringsEverythingBack) {
    loop.model.setSelectedCalendarUid(u"home"_s);
    ASSERT_TRUE(dialog.showRemoveCalendar(&window));
    EXPECT_EQ(dialog.windowModality(), Qt::WindowModal);
    EXPECT_EQ(dialog.windowTitle(), u"Remove Calendar"_s);
    EXPECT_TRUE(dialog.messageLabel()->text().contains(u"“home”"_s));
    // Never the calendar itself nor a read-only one.
    EXPECT_EQ(listed(), (QStringList{u"Archive"_s, u"work"_s}));
    EXPECT_TRUE(dialog.shouldMoveEvents());
    EXPECT_TRUE(dialog.moveToList()->isEnabled());
    clickRow(u"work"_s);
    QTest::mouseClick(dialog.okButton(), Qt::LeftButton);
    EXPECT_FALSE(dialog.isVisible());

    EXPECT_FALSE(loop.model.calendarWithUid(u"home"_s));
    EXPECT_FALSE(QDir(loop.root.path()).exists(u"home"_s));
    EXPECT_EQ(eventFiles(u"work"_s).size(), 3);
    EXPECT_EQ(storedCalendarOf(u"dentist"_s), u"work"_s);
    EXPECT_EQ(storedCalendarOf(u"yoga"_s), u"work"_s);
    EXPECT_EQ(loop.stored(u"yoga"_s).size(), 5);

    Loop::nextPass();
    EXPECT_EQ(loop.undo.undoActionName(), u"Remove Calendar"_s);
    loop.undo.undo();
    Loop::nextPass();
    ASSERT_TRUE(loop.model.calendarWithUid(u"home"_s));
    EXPECT_TRUE(loop.model.enabledCalendarUids().contains(u"home"_s));
    EXPECT_EQ(storedCalendarOf(u"dentist"_s), u"home"_s);
    EXPECT_EQ(storedCalendarOf(u"yoga"_s), u"home"_s);
    EXPECT_EQ(eventFiles(u"home"_s).size(), 2);
    EXPECT_EQ(eventFiles(u"work"_s).size(), 1);
    EXPECT_FALSE(loop.undo.canUndo()) << "the move and the removal are one step";
}

TEST_F(RemoveCalendarControllerTest, removingWithoutMovingTakesTheEventsAlong) {
    loop.makeEvent(u"work"_s, u"retreat"_s, 400); // outside the loaded window, counted all the same
    loop.model.setSelectedCalendarUid(u"work"_s);
    ASSERT_TRUE(dialog.showRemoveCalendar(&window));
    EXPECT_TRUE(dialog.messageLabel()->text().contains(u"It holds 2 events."_s));
    EXPECT_EQ(listed(), (QStringList{u"Archive"_s, u"home"_s}));
    // On its label, as a user does: the button is wider than what it shows.
    QRadioButton* remove = dialog.removeEventsButton();
    QTest::mouseClick(remove, Qt::LeftButton, {}, QPoint(30, remove->height() / 2));
    EXPECT_FALSE(dialog.shouldMoveEvents());
    EXPECT_FALSE(dialog.moveToList()->isEnabled());
    QTest::mouseClick(dialog.okButton(), Qt::LeftButton);
    EXPECT_FALSE(dialog.isVisible());
    EXPECT_FALSE(QDir(loop.root.path()).exists(u"work"_s));
    EXPECT_TRUE(loop.stored(u"standup"_s).isEmpty());
    EXPECT_EQ(eventFiles(u"home"_s).size(), 2);
}

TEST_F(RemoveCalendarControllerTest, returnRightAfterOpeningRemovesNothing) {
    loop.model.setSelectedCalendarUid(u"home"_s);
    ASSERT_TRUE(dialog.showRemoveCalendar(&window));
    EXPECT_TRUE(dialog.shouldMoveEvents());
    QTest::keyClick(&dialog, Qt::Key_Return);
    EXPECT_TRUE(loop.model.calendarWithUid(u"home"_s));
    EXPECT_EQ(storedCalendarOf(u"dentist"_s), u"home"_s);
}

TEST_F(RemoveCalendarControllerTest, withoutASelectionTheFirstCalendarAndOnlyEditableTargets) {
    loop.model.setSelectedCalendarUid(QString());
    const auto first = loop.model.calendars().constFirst();
    ASSERT_TRUE(dialog.showRemoveCalendar(&window));
    EXPECT_EQ(dialog.calendar(), first);
    for (const auto& target : dialog.moveToCalendars()) {
        EXPECT_NE(target->uid, first->uid);
        EXPECT_TRUE(target->isEditable) << target->uid.toStdString();
    }
    QTest::keyClick(&dialog, Qt::Key_Escape);
    EXPECT_TRUE(loop.model.calendarWithUid(first->uid));
}

TEST_F(RemoveCalendarControllerTest, withNoOtherEditableCalendarTheEventsCannotMove) {
    for (const QString& uid : {u"work"_s, u"Archive"_s})
        loop.controller.removeCalendar(*loop.model.calendarWithUid(uid));
    loop.model.setSelectedCalendarUid(u"home"_s);
    ASSERT_TRUE(dialog.showRemoveCalendar(&window));
    EXPECT_TRUE(listed().isEmpty());
    EXPECT_FALSE(dialog.moveEventsButton()->isEnabled());
    EXPECT_TRUE(dialog.removeEventsButton()->isChecked());
    EXPECT_TRUE(dialog.okButton()->isEnabled());
    QTest::keyClick(&dialog, Qt::Key_Return); // cancels: removing the events takes a click on Remove
    EXPECT_FALSE(dialog.isVisible());
    EXPECT_EQ(eventFiles(u"home"_s).size(), 2);
}

TEST_F(RemoveCalendarControllerTest, aCalendarAddedWhileTheDialogIsOpenBecomesATarget) {
    loop.model.setSelectedCalendarUid(u"home"_s);
    ASSERT_TRUE(dialog.showRemoveCalendar(&window));
    loop.makeCalendar(u"garden"_s);
    EXPECT_EQ(listed(), (QStringList{u"Archive"_s, u"garden"_s, u"work"_s}));
}

} // namespace
