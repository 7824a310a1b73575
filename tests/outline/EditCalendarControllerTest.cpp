// The new-calendar and edit-calendar dialog over a real calendar folder: the folder's files after OK, the
// undo step, a title that is refused and a store that fails.
#include "outline/EditCalendarController.h"

#include "LoopTestSupport.h"
#include "outline/CalendarColorButton.h"

#include <QColorDialog>
#include <QLabel>
#include <QLineEdit>
#include <QMainWindow>
#include <QPushButton>
#include <QTest>

#include <gtest/gtest.h>

namespace {

class EditCalendarControllerTest : public ::testing::Test {
protected:
    EditCalendarControllerTest() {
        loop.makeCalendar(u"home"_s);
        loop.load();
        window.resize(600, 400);
        window.show();
    }

    QString metadata(const QString& calendarUid, const QString& name) const {
        QFile file(QDir(loop.root.path()).filePath(calendarUid + u'/' + name));
        return file.open(QIODevice::ReadOnly) ? QString::fromUtf8(file.readAll()).trimmed() : QString();
    }
    void typeTitle(const QString& title) {
        QLineEdit* field = dialog.titleField();
        field->selectAll();
        QTest::keyClick(field, Qt::Key_Backspace);
        QTest::keyClicks(field, title);
    }
    void chooseColor(const QColor& color) {
        QTest::mouseClick(dialog.colorButton(), Qt::LeftButton);
        auto* picker = dialog.colorButton()->findChild<QColorDialog*>();
        ASSERT_TRUE(picker);
        ASSERT_TRUE(QTest::qWaitFor([&] { return picker->isVisible(); }));
        picker->setCurrentColor(color);
        picker->accept();
    }

    Loop loop;
    QMainWindow window;
    EditCalendarController dialog{loop.controller, loop.undo};
};

TEST_F(EditCalendarControllerTest, aNewCalendarIsWrittenSwitchedOnSelectedAndUndoable) {
    dialog.showNewCalendar(&window);
    EXPECT_TRUE(dialog.isVisible());
    EXPECT_EQ(dialog.windowModality(), Qt::WindowModal);
    EXPECT_EQ(dialog.parentWidget(), &window);
    EXPECT_EQ(dialog.windowTitle(), u"New Calendar"_s);
    typeTitle(u"Garden"_s);
    chooseColor(QColor(0x22, 0x88, 0x44));
    QTest::mouseClick(dialog.okButton(), Qt::LeftButton);
    EXPECT_FALSE(dialog.isVisible());

    const QString uid = dialog.calendar()->uid;
    EXPECT_EQ(metadata(uid, u"displayname"_s), u"Garden"_s);
    EXPECT_EQ(metadata(uid, u"color"_s), u"#228844"_s);
    ASSERT_TRUE(loop.model.calendarWithUid(uid));
    EXPECT_TRUE(loop.model.enabledCalendarUids().contains(uid));
    EXPECT_EQ(loop.model.selectedCalendarUid(), uid);
    Loop::nextPass();
    EXPECT_EQ(loop.undo.undoActionName(), u"New Calendar"_s);
    loop.undo.undo();
    EXPECT_FALSE(loop.model.calendarWithUid(uid));
    EXPECT_FALSE(QDir(loop.root.path()).exists(uid));
}

TEST_F(EditCalendarControllerTest, renamingAndRecolouringWriteTheFolderAndOneUndoRestoresBoth) {
    dialog.showEditCalendar(*loop.model.calendarWithUid(u"home"_s), &window);
    EXPECT_EQ(dialog.windowTitle(), u"Edit Calendar"_s);
    EXPECT_EQ(dialog.titleField()->text(), u"home"_s);
    EXPECT_EQ(dialog.colorButton()->color(), QColor(u"#3A6EA5"_s));
    typeTitle(u"House"_s);
    chooseColor(QColor(0xAA, 0x33, 0x00));
    QTest::keyClick(dialog.titleField(), Qt::Key_Return);
    EXPECT_FALSE(dialog.isVisible());

    EXPECT_EQ(metadata(u"home"_s, u"displayname"_s), u"House"_s);
    EXPECT_EQ(metadata(u"home"_s, u"color"_s), u"#AA3300"_s);
    EXPECT_EQ(loop.model.calendarWithUid(u"home"_s)->title, u"House"_s);
    Loop::nextPass();
    EXPECT_EQ(loop.undo.undoActionName(), u"Edit Calendar"_s);
    loop.undo.undo();
    EXPECT_EQ(metadata(u"home"_s, u"displayname"_s), u"home"_s);
    EXPECT_EQ(metadata(u"home"_s, u"color"_s), u"#3A6EA5"_s);
    EXPECT_EQ(loop.model.calendarWithUid(u"home"_s)->title, u"home"_s);
}

TEST_F(EditCalendarControllerTest, aCalendarWithoutATitleIsRefused) {
    dialog.showEditCalendar(*loop.model.calendarWithUid(u"home"_s), &window);
    typeTitle(u"   "_s);
    EXPECT_FALSE(dialog.okButton()->isEnabled());
    QTest::keyClick(dialog.titleField(), Qt::Key_Return);
    EXPECT_TRUE(dialog.isVisible());
    EXPECT_EQ(metadata(u"home"_s, u"displayname"_s), u"home"_s);
    typeTitle(u"  Home  "_s);
    EXPECT_TRUE(dialog.okButton()->isEnabled());
    QTest::mouseClick(dialog.okButton(), Qt::LeftButton);
    EXPECT_EQ(metadata(u"home"_s, u"displayname"_s), u"Home"_s);
}

TEST_F(EditCalendarControllerTest, aStoreFailureStaysInTheDialogAndCancelLeavesTheFolder) {
    dialog.showEditCalendar(*loop.model.calendarWithUid(u"home"_s), &window);
    typeTitle(u"House"_s);
    loop.store.throwing = true;
    QTest::mouseClick(dialog.okButton(), Qt::LeftButton);
    EXPECT_TRUE(dialog.isVisible());
    EXPECT_TRUE(dialog.errorLabel()->isVisible());
    EXPECT_TRUE(dialog.errorLabel()->text().contains(u"prevented the calendar House from being saved"_s))
        << dialog.errorLabel()->text().toStdString();
    EXPECT_FALSE(loop.undo.canUndo());

    loop.store.throwing = false;
    QTest::keyClick(&dialog, Qt::Key_Escape);
    EXPECT_FALSE(dialog.isVisible());
    EXPECT_EQ(metadata(u"home"_s, u"displayname"_s), u"home"_s);
    // Shown again, the dialog starts clean.
    dialog.showEditCalendar(*loop.model.calendarWithUid(u"home"_s), &window);
    EXPECT_FALSE(dialog.errorLabel()->isVisible());
    EXPECT_EQ(dialog.titleField()->text(), u"home"_s);
}

} // namespace
