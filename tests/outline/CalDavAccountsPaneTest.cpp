// The window side of CalDAV accounts over a real store, the real accounts and vdirsyncer, and a keyring of
// the test's own: an account's group in the pane, the dialog that adds one, removing one with or without
// its calendars, and the question about an event changed on both sides.
#include "CalDavPeer.h"
#include "EventLoopWait.h"
#include "LoopTestSupport.h"
#include "PrivateKeyring.h"
#include "TestFiles.h"
#include "accounts/CalDavAccounts.h"
#include "outline/AddCalDavAccountDialog.h"
#include "outline/CalendarsOutlineController.h"
#include "outline/CalendarsOutlineModel.h"
#include "outline/NewAccountCalendars.h"
#include "outline/RemoveAccountController.h"
#include "outline/SyncConflictController.h"

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSignalSpy>
#include <QTest>
#include <QTreeView>

#include <gtest/gtest.h>

#include <memory>

namespace {

using Rows = CalendarsOutlineModel;

// An account as an earlier run left it, with two calendars, at a port where no server answers.
class CalDavAccountsPaneTest : public ::testing::Test {
protected:
    static void SetUpTestSuite() { keyring = new PrivateKeyring; }
    static void TearDownTestSuite() { delete keyring; }

    CalDavAccountsPaneTest() {
        for (const char* variable : {"HOME", "XDG_CONFIG_HOME", "XDG_DATA_HOME"}) {
            saved.emplace_back(variable, qgetenv(variable));
            qputenv(variable, QFile::encodeName(home.filePath(QString::fromLatin1(variable))));
        }
        writeFile(home.filePath(u"XDG_CONFIG_HOME/verdalune/accounts.json"_s),
                  R"([{"id": "a1", "name": "ann@127.0.0.1", "url": "https://127.0.0.1:1/", "userName": "ann",
                       "collections": ["work", "family"]}])");
        for (const QString& uid : {u"home"_s, u"a1-work"_s, u"a1-family"_s, u"holidays"_s})
            loop.makeCalendar(uid);
        loop.makeReadOnly(u"holidays"_s);
        loop.load();
        accounts = std::make_unique<CalDavAccounts>(loop.root.path());
    }
    ~CalDavAccountsPaneTest() override {
        for (const auto& [variable, value] : saved)
            qputenv(variable, value);
    }

    static QStringList titles(const QModelIndex& group) {
        QStringList result;
        for (int row = 0; row < group.model()->rowCount(group); ++row)
            result.append(group.model()->index(row, 0, group).data().toString());
        return result;
    }

    static PrivateKeyring* keyring;
    QTemporaryDir home;
    std::vector<std::pair<const char*, QByteArray>> saved;
    Loop loop;
    std::unique_ptr<CalDavAccounts> accounts;
};

PrivateKeyring* CalDavAccountsPaneTest::keyring = nullptr;

TEST_F(CalDavAccountsPaneTest, anAccountsCalendarsAreGroupedUnderItsNameWithItsStatus) {
    CalendarsOutlineController outline(loop.model, loop.defaults, accounts.get());
    const Rows& rows = *outline.outlineModel();
    ASSERT_EQ(rows.rowCount(), 3);
    const QModelIndex group = rows.index(1, 0);
    EXPECT_EQ(group, rows.accountGroupIndex(u"a1"_s)) << "between CALENDARS and SUBSCRIPTIONS";
    EXPECT_EQ(group.data().toString(), u"ann@127.0.0.1"_s);
    EXPECT_EQ(titles(group), (QStringList{u"a1-family"_s, u"a1-work"_s}));
    EXPECT_EQ(titles(rows.groupIndex(Rows::CalendarsGroup)), QStringList{u"home"_s});
    EXPECT_EQ(titles(rows.groupIndex(Rows::SubscriptionsGroup)), QStringList{u"holidays"_s});
    EXPECT_EQ(group.data(Rows::SyncStatusRole).toString(), u"Not synced yet"_s);
    EXPECT_EQ(group.data(Qt::AccessibleTextRole).toString(), u"ann@127.0.0.1, Not synced yet"_s);

    // The row tells the account's status as the sync goes.
    QSignalSpy changed(&rows, &QAbstractItemModel::dataChanged);
    accounts->syncNow();
    ASSERT_TRUE(waitFor(
        [&] {
            const auto state = accounts->status(u"a1"_s).state;
            return state != AccountSyncStatus::State::NotYet && state != AccountSyncStatus::State::Syncing;
        },
        30000));
    EXPECT_EQ(group.data(Rows::SyncStatusRole).toString(),
              accounts->status(u"a1"_s).text(QDateTime::currentDateTime()));
    EXPECT_TRUE(std::any_of(changed.cbegin(), changed.cend(),
                            [&](const QList<QVariant>& change) { return change.at(0) == group; }));

    // The group and its calendars are the account's rows, to remove it from.
    QTreeView* view = outline.view();
    view->setCurrentIndex(group);
    EXPECT_EQ(outline.selectedAccountId(), u"a1"_s);
    view->setCurrentIndex(rows.indexOfCalendar(u"a1-work"_s));
    EXPECT_EQ(outline.selectedAccountId(), u"a1"_s);
    view->setCurrentIndex(rows.indexOfCalendar(u"home"_s));
    EXPECT_EQ(outline.selectedAccountId(), QString());

    // Collapsed, it stays so when the rows are made anew.
    view->collapse(group);
    loop.makeCalendar(u"later"_s);
    ASSERT_TRUE(QTest::qWaitFor([&] { return rows.indexOfCalendar(u"later"_s).isValid(); }, 10000));
    EXPECT_FALSE(view->isExpanded(rows.accountGroupIndex(u"a1"_s)));
    EXPECT_TRUE(view->isExpanded(rows.groupIndex(Rows::CalendarsGroup)));
}

TEST_F(CalDavAccountsPaneTest, theAddDialogTellsWhyAnAccountFailedKeepingTheFieldsAndClosesOnceAdded) {
    EXPECT_EQ(CalDavAccounts::addressWithScheme(u" dav.example.org/cal "_s),
              u"https://dav.example.org/cal"_s);
    EXPECT_EQ(CalDavAccounts::addressWithScheme(u"http://127.0.0.1:8/"_s), u"http://127.0.0.1:8/"_s);
    AddCalDavAccountDialog dialog(*accounts);
    EXPECT_EQ(dialog.findChild<QLabel*>(u"ownSetupNote"_s), nullptr);
    writeFile(home.filePath(u"XDG_CONFIG_HOME/vdirsyncer/config"_s), "[general]\n");
    EXPECT_NE(AddCalDavAccountDialog(*accounts).findChild<QLabel*>(u"ownSetupNote"_s), nullptr)
        << "the user's own setup is said to be left alone";
    dialog.showAddAccount(nullptr);
    EXPECT_FALSE(dialog.addButton()->isEnabled());
    EXPECT_EQ(dialog.passwordField()->echoMode(), QLineEdit::Password);
    QTest::keyClicks(dialog.serverField(), u"127.0.0.1:1"_s);
    QTest::keyClicks(dialog.userNameField(), u"bob"_s);
    QTest::keyClicks(dialog.passwordField(), u"pw"_s);
    QSignalSpy failed(accounts.get(), &CalDavAccounts::addingFailed);
    QTest::keyClick(dialog.passwordField(), Qt::Key_Return);
    EXPECT_EQ(dialog.serverField()->text(), u"https://127.0.0.1:1"_s);
    EXPECT_EQ(dialog.statusLabel()->text(), u"Connecting…"_s);
    for (const QLineEdit* field : {dialog.serverField(), dialog.userNameField(), dialog.passwordField()})
        EXPECT_FALSE(field->isEnabled());

    ASSERT_TRUE(waitFor([&] { return !failed.isEmpty(); }, 30000));
    EXPECT_EQ(dialog.statusLabel()->text(), failed.front().front().toString());
    EXPECT_TRUE(dialog.isVisible());
    for (const QLineEdit* field : {dialog.serverField(), dialog.userNameField(), dialog.passwordField()})
        EXPECT_TRUE(field->isEnabled());
    EXPECT_EQ(dialog.userNameField()->text(), u"bob"_s);
    EXPECT_EQ(dialog.passwordField()->text(), u"pw"_s);
    EXPECT_EQ(dialog.focusWidget(), dialog.serverField());

    CalDavPeer peer(home.filePath(u"unused"_s));
    const NewAccountCalendars enabler(loop.model, *accounts);
    dialog.serverField()->setText(peer.serverUrl());
    dialog.userNameField()->setText(u"user"_s);
    dialog.passwordField()->setText(u"secret"_s);
    dialog.addButton()->click();
    ASSERT_TRUE(waitFor([&] { return !dialog.isVisible(); }, 30000));
    EXPECT_EQ(dialog.result(), QDialog::Accepted);
    ASSERT_EQ(accounts->accounts().size(), 2);
    // Its calendar is shown as soon as the first sync brings it.
    const QString shared = accounts->accounts().back().calendarUid(u"shared"_s);
    ASSERT_TRUE(waitFor([&] { return loop.model.calendarWithUid(shared) != nullptr; }, 30000));
    EXPECT_TRUE(loop.model.enabledCalendarUids().contains(shared));
}

class RemoveAccountTest : public CalDavAccountsPaneTest, public ::testing::WithParamInterface<bool> {};

TEST_P(RemoveAccountTest, theAccountGoesAndItsCalendarsStayAsCopiesOrGoWithItInOneUndoableStep) {
    const bool removeCalendars = GetParam();
    CalendarsOutlineController outline(loop.model, loop.defaults, accounts.get());
    RemoveAccountController remover(loop.model, *accounts, loop.controller, loop.undo);
    EXPECT_FALSE(remover.showRemoveAccount(u"nobody"_s, nullptr));
    ASSERT_TRUE(remover.showRemoveAccount(u"a1"_s, nullptr));
    QTest::keyClick(remover.question(), Qt::Key_Escape);
    EXPECT_EQ(accounts->accounts().size(), 1) << "cancelled";

    ASSERT_TRUE(remover.showRemoveAccount(u"a1"_s, nullptr));
    (removeCalendars ? remover.removeCalendarsButton() : remover.keepCopiesButton())->click();
    Loop::nextPass();
    EXPECT_TRUE(accounts->accounts().isEmpty());
    const Rows& rows = *outline.outlineModel();
    EXPECT_EQ(rows.rowCount(), 2);
    const QDir root(loop.root.path());
    if (!removeCalendars) {
        EXPECT_TRUE(root.exists(u"a1-work"_s));
        EXPECT_EQ(titles(rows.groupIndex(Rows::CalendarsGroup)),
                  (QStringList{u"a1-family"_s, u"a1-work"_s, u"home"_s}));
        return;
    }
    EXPECT_FALSE(root.exists(u"a1-work"_s));
    EXPECT_FALSE(root.exists(u"a1-family"_s));
    EXPECT_EQ(titles(rows.groupIndex(Rows::CalendarsGroup)), QStringList{u"home"_s});
    loop.undo.undo();
    EXPECT_TRUE(root.exists(u"a1-work"_s));
    EXPECT_TRUE(root.exists(u"a1-family"_s));
}

INSTANTIATE_TEST_SUITE_P(KeepOrRemove, RemoveAccountTest, ::testing::Bool());

TEST_F(CalDavAccountsPaneTest, aConflictIsAskedAboutOnceAtATimeAndTheChoiceGoesToTheAccounts) {
    loop.makeEvent(u"a1-work"_s, u"lunch"_s, 0, 0, u"Lunch with Kim"_s);
    SyncConflictController conflicts(loop.model, *accounts);
    const SyncConflict lunch{u"a1"_s, u"work"_s, u"a1-work"_s, u"lunch"_s};
    const SyncConflict unloaded{u"a1"_s, u"work"_s, u"a1-work"_s, u"far-away"_s};
    emit accounts->conflictFound(lunch);
    emit accounts->conflictFound(lunch); // reported again while asked
    emit accounts->conflictFound(unloaded);
    QMessageBox* question = conflicts.question();
    ASSERT_NE(question, nullptr);
    EXPECT_EQ(question->windowTitle(), u"Changed on Both Sides"_s);
    EXPECT_TRUE(question->text().contains(u"“Lunch with Kim” in the calendar “a1-work”"_s))
        << question->text().toStdString();
    EXPECT_TRUE(question->text().contains(u"on this computer and on the server"_s));

    // Closed without a choice: the next question, and nothing resolved.
    QSignalSpy statuses(accounts.get(), &CalDavAccounts::statusChanged);
    QTest::keyClick(question, Qt::Key_Escape);
    EXPECT_TRUE(statuses.isEmpty());
    ASSERT_NE(conflicts.question(), nullptr);
    EXPECT_TRUE(conflicts.question()->text().contains(u"“far-away”"_s)) << "the uid, for an event not loaded";
    conflicts.takeTheirsButton()->click();
    EXPECT_EQ(conflicts.question(), nullptr);
    ASSERT_TRUE(waitFor([&] { return !statuses.isEmpty(); }, 10000)) << "a sync with the server winning";

    // Reported again by a later sync, it is asked about again.
    emit accounts->conflictFound(lunch);
    ASSERT_NE(conflicts.question(), nullptr);
    EXPECT_TRUE(conflicts.question()->text().contains(u"Lunch with Kim"_s));
}

} // namespace
