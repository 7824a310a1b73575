#include "app/DialogFocusReturn.h"
#include "EventLoopWait.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QDialog>
#include <QLineEdit>
#include <QVBoxLayout>

namespace {

// Window activation is asynchronous; QWidget::isActiveWindow also holds for a dialog's parent.
bool isInFront(const QWidget& window) {
    return waitFor([&window] { return QApplication::activeWindow() == &window; }, 2000);
}

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
        if (!isInFront(window))
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

TEST_F(DialogFocusReturnTest, AQuestionFromADialogBesideTheWindowGivesTheKeysBackToThatDialog) {
    FieldDialog editor(&window);
    editor.openWithKeys(false);
    ASSERT_TRUE(isInFront(editor));
    FieldDialog question(&window);
    question.openWithKeys();
    ASSERT_TRUE(isInFront(question));
    question.accept();
    EXPECT_TRUE(waitFor([&] { return editor.field->hasFocus(); }, 2000));

    // A dialog over the editor is the editor's business.
    FieldDialog nested(&editor);
    nested.openWithKeys();
    nested.accept();
    spin(50);
    EXPECT_FALSE(target->hasFocus());

    editor.accept();
    EXPECT_TRUE(targetGetsTheKeys());
}

TEST_F(DialogFocusReturnTest, AQuestionAskedInTheWindowGivesTheKeysToTheTargetAfterTheLastOneCloses) {
    // The preferences stay open beside the window meanwhile.
    FieldDialog aside(&window);
    aside.openWithKeys(false);
    ASSERT_TRUE(isInFront(aside));
    window.activateWindow();
    ASSERT_TRUE(isInFront(window));
    other->setFocus();

    FieldDialog question(&window);
    FieldDialog alert(&window);
    question.openWithKeys();
    question.accept();
    alert.openWithKeys(); // before the event loop runs again
    spin(50);
    EXPECT_TRUE(alert.field->hasFocus()) << "the alert keeps the keys while it is open";
    alert.accept();
    EXPECT_TRUE(targetGetsTheKeys());
    EXPECT_TRUE(aside.isVisible());
}

TEST_F(DialogFocusReturnTest, APaneOfTheWindowThatHidesIsNoDialog) {
    auto* pane = new QLineEdit;
    window.layout()->addWidget(pane);
    pane->show();
    ASSERT_TRUE(waitFor([pane] { return pane->isVisible(); }, 2000));
    pane->hide();
    spin(50);
    EXPECT_TRUE(other->hasFocus());
}

} // namespace
