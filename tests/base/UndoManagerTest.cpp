#include "base/UndoManager.h"

#include <QCoreApplication>
#include <QStringList>

#include <gtest/gtest.h>

#include <stdexcept>

namespace {

// Each action writes its name down; undoing "x" registers "undo x" and the reverse, as the processors do.
class UndoManagerTest : public ::testing::Test {
protected:
    void registerToggle(const QString& name) {
        m_undo.registerUndo([this, name] {
            m_ran.append(name);
            registerToggle(name.startsWith(QLatin1String("undo ")) ? name.mid(5)
                                                                   : QStringLiteral("undo ") + name);
        });
    }
    static void nextPass() { QCoreApplication::processEvents(); }

    UndoManager m_undo;
    QStringList m_ran;
};

TEST_F(UndoManagerTest, OnePassIsOneGroupRunLastFirstAndRedoneTheSameWay) {
    registerToggle(QStringLiteral("a"));
    registerToggle(QStringLiteral("b"));
    m_undo.setActionName(QStringLiteral("Remove Event"));
    nextPass();
    registerToggle(QStringLiteral("c"));
    m_undo.undo(); // closes the open group first
    m_undo.undo();
    EXPECT_EQ(m_ran, (QStringList{QStringLiteral("c"), QStringLiteral("b"), QStringLiteral("a")}));
    EXPECT_FALSE(m_undo.canUndo());
    EXPECT_EQ(m_undo.redoActionName(), QStringLiteral("Remove Event"));

    m_ran.clear();
    m_undo.redo();
    EXPECT_EQ(m_ran, (QStringList{QStringLiteral("undo a"), QStringLiteral("undo b")}));
    EXPECT_EQ(m_undo.undoActionName(), QStringLiteral("Remove Event"));
    m_undo.undo();
    EXPECT_EQ(m_ran.mid(2), (QStringList{QStringLiteral("b"), QStringLiteral("a")}));

    registerToggle(QStringLiteral("d")); // a new user action: nothing left to redo
    EXPECT_FALSE(m_undo.canRedo());
}

TEST_F(UndoManagerTest, NestedGroupsFoldIntoTheOuterAndCloseAnOpenPass) {
    registerToggle(QStringLiteral("before"));
    m_undo.beginUndoGrouping();
    registerToggle(QStringLiteral("a"));
    m_undo.beginUndoGrouping();
    registerToggle(QStringLiteral("b"));
    m_undo.endUndoGrouping();
    nextPass(); // an explicit group stays open across passes
    registerToggle(QStringLiteral("c"));
    m_undo.endUndoGrouping();
    m_undo.undo();
    EXPECT_EQ(m_ran, (QStringList{QStringLiteral("c"), QStringLiteral("b"), QStringLiteral("a")}));
    m_undo.undo();
    EXPECT_EQ(m_ran.last(), QStringLiteral("before"));
}

TEST_F(UndoManagerTest, AThrowingActionEndsTheUndoAndLeavesTheManagerUsable) {
    int undone = 0;
    QObject::connect(&m_undo, &UndoManager::didUndo, [&] { ++undone; });
    registerToggle(QStringLiteral("a"));
    m_undo.registerUndo([] { throw std::runtime_error("store gone"); });
    EXPECT_THROW(m_undo.undo(), std::runtime_error);
    EXPECT_FALSE(m_undo.isUndoing());
    registerToggle(QStringLiteral("b"));
    m_undo.undo();
    EXPECT_EQ(m_ran, QStringList{QStringLiteral("b")});
    EXPECT_TRUE(m_undo.canRedo());
    EXPECT_EQ(undone, 1);
}

TEST_F(UndoManagerTest, AGroupWhoseChecksFailRunsOnlyWhenTheQuestionSaysSo) {
    const auto check = []() -> std::optional<QString> { return QStringLiteral("lunch"); };
    registerToggle(QStringLiteral("a"));
    m_undo.registerUndo(
        [this, check] {
            m_ran.append(QStringLiteral("b"));
            m_undo.registerUndo([this] { m_ran.append(QStringLiteral("redo b")); }, check);
        },
        check);
    m_undo.registerUndo([this] { m_ran.append(QStringLiteral("c")); }, check);
    nextPass();
    m_undo.undo(); // no question: nothing runs
    EXPECT_TRUE(m_ran.isEmpty());

    QList<std::pair<QStringList, bool>> asked;
    bool answer = false;
    m_undo.setConflictQuestion([&](const QStringList& names, bool undoing) {
        asked.append({names, undoing});
        return answer;
    });
    m_undo.undo();
    EXPECT_TRUE(m_ran.isEmpty()) << "not even the action without a check";
    EXPECT_TRUE(m_undo.canUndo());
    answer = true;
    m_undo.undo();
    EXPECT_EQ(m_ran, (QStringList{QStringLiteral("c"), QStringLiteral("b"), QStringLiteral("a")}));
    m_undo.redo();
    EXPECT_EQ(m_ran.mid(3), (QStringList{QStringLiteral("undo a"), QStringLiteral("redo b")}));
    const QStringList once{QStringLiteral("lunch")};
    EXPECT_EQ(asked, (QList<std::pair<QStringList, bool>>{{once, true}, {once, true}, {once, false}}));
}

} // namespace
