#include "app/DialogFocusReturn.h"
#include "EventLoopWait.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QDialog>
#include <QLineEdit>
#include <QTest>
#include <QVBoxLayout>

namespace {

// A dialog with one field, which has the keyboard while the dialog is open.
class FieldDialog : public QDialog {
public:
    explicit FieldDialog(QWidget* parent) : QDialog(parent), field(new QLineEdit(this)) {
        (new QVBoxLayout(this))->addWidget(field);
    }
    // Modal to the window as questions are, or beside it as the event editor is.
    void openWithKeys(bool modal = true) {
        if (modal)
            open();
        else
            show();
        activateWindow();
        field->setFocus();
    }
    QLineEdit* field;
};

class DialogFocusReturnTest : public ::testing::Test {
protected:
    DialogFocusReturnTest() {
        auto* layout = new QVBoxLayout(&window);
        layout->addWidget(other);
        layout->addWidget(target);
        window.show();
        window.activateWindow();
        if (!QTest::qWaitForWindowActive(&window))
            throw std::runtime_error("the window is not activated");
        other->setFocus();
    }
    bool targetGetsTheKeys() const {
        return waitFor([this] { return target->hasFocus(); }, 2000);
    }

    QWidget window;
    QLineEdit* other = new QLineEdit;
    QLineEdit* target = new QLineEdit;
    DialogFocusReturn focusReturn{window, *target};
};

TEST_F(DialogFocusReturnTest, TheTargetHasTheKeysAfterADialogHoweverItEnds) {
    FieldDialog made(&window);
    made.openWithKeys();
    made.accept();
    EXPECT_TRUE(targetGetsTheKeys());

    // Given the window as parent only after it was made, and rejected.
    other->setFocus();
    FieldDialog adopted(nullptr);
    adopted.setParent(&window, Qt::Dialog);
    adopted.openWithKeys();
    adopted.reject();
    EXPECT_TRUE(targetGetsTheKeys());
}

TEST_F(DialogFocusReturnTest, TheKeysStayInADialogThatIsStillOpen) {
    FieldDialog editor(&window);
    FieldDialog question(&window);
    FieldDialog nested(&editor);
    editor.openWithKeys(false);
    question.openWithKeys();
    question.accept();
    spin(50);
    EXPECT_FALSE(target->hasFocus()) << "the editor is still open";

    // A dialog over the editor is the editor's business.
    nested.openWithKeys();
    nested.accept();
    spin(50);
    EXPECT_FALSE(target->hasFocus());

    editor.accept();
    EXPECT_TRUE(targetGetsTheKeys());
}

TEST_F(DialogFocusReturnTest, APaneOfTheWindowThatHidesIsNoDialog) {
    auto* pane = new QLineEdit;
    window.layout()->addWidget(pane);
    pane->hide();
    spin(50);
    EXPECT_TRUE(other->hasFocus());
}

} // namespace
