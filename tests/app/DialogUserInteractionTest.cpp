// The questions that guard another program's change, answered from the keyboard as a user would.
#include "app/DialogUserInteraction.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QImage>
#include <QLabel>
#include <QMessageBox>
#include <QPushButton>
#include <QTest>
#include <QTimer>

#include <functional>

using namespace Qt::StringLiterals;

namespace {

// Runs `answer` on the question once it is up.
void whenAsked(const std::function<void(QMessageBox&)>& answer) {
    QTimer::singleShot(0, [answer] {
        auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        ASSERT_NE(box, nullptr);
        answer(*box);
    });
}

QPushButton* button(QMessageBox& box, const QString& text) {
    for (QAbstractButton* candidate : box.buttons())
        if (candidate->text() == text)
            return qobject_cast<QPushButton*>(candidate);
    return nullptr;
}

TEST(DialogUserInteractionTest, ReturnKeepsTheOtherProgramsChangeAndOnlyTheNamedButtonOverwrites) {
    DialogUserInteraction interaction;
    const QString message =
        u"“<b>lunch</b>” was changed by another program after this change. Undoing it would overwrite that change."_s;
    QString shownText;
    whenAsked([&](QMessageBox& box) {
        shownText = box.findChild<QLabel*>(u"qt_msgbox_label"_s)->text();
        EXPECT_EQ(box.textFormat(), Qt::PlainText) << "a title from a file is never markup";
        EXPECT_EQ(box.defaultButton(), box.button(QMessageBox::Cancel));
        QTest::keyClick(&box, Qt::Key_Return);
    });
    EXPECT_FALSE(interaction.askToOverwrite(message, u"Undo Anyway"_s));
    EXPECT_EQ(shownText, message);
    whenAsked([&](QMessageBox& box) {
        QPushButton* overwrite = button(box, u"Undo Anyway"_s);
        ASSERT_NE(overwrite, nullptr);
        overwrite->click();
    });
    EXPECT_TRUE(interaction.askToOverwrite(message, u"Undo Anyway"_s));

    using Answer = UserInteraction::EditConflictAnswer;
    whenAsked([](QMessageBox& box) { QTest::keyClick(&box, Qt::Key_Escape); });
    EXPECT_EQ(interaction.askKeepMineOrTheirs(u"t"_s, message), Answer::Cancel);
    whenAsked([](QMessageBox& box) { button(box, u"Take Theirs"_s)->click(); });
    EXPECT_EQ(interaction.askKeepMineOrTheirs(u"t"_s, message), Answer::TakeTheirs);
}

} // namespace
