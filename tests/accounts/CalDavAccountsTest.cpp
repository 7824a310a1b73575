// CalDAV accounts with the real parts: Radicale with a password on the loopback, the real vdirsyncer, and
// a Secret Service of the test's own for the password.
#include "accounts/CalDavAccounts.h"
#include "CalDavPeer.h"
#include "EventLoopWait.h"
#include "LoopTestSupport.h"
#include "PrivateKeyring.h"
#include "accounts/AccountFiles.h"
#include "accounts/SyncSchedule.h"

#include <gtest/gtest.h>

#include <QColor>
#include <QSignalSpy>

#include <memory>

namespace {

class CalDavAccountsTest : public ::testing::Test {
protected:
    static void SetUpTestSuite() { keyring = new PrivateKeyring; }
    static void TearDownTestSuite() { delete keyring; }

    void SetUp() override {
        for (const char* variable : {"XDG_CONFIG_HOME", "XDG_DATA_HOME", "XDG_STATE_HOME"})
            qputenv(variable, QFile::encodeName(home.filePath(QString::fromLatin1(variable))));
        peer = std::make_unique<CalDavPeer>(home.filePath(u"unused"_s));
        loop.load();
        accounts = std::make_unique<CalDavAccounts>(loop.root.path());
    }

    // The account of the peer's user, added and synced once.
    CalDavAccount addAccount() {
        QSignalSpy added(accounts.get(), &CalDavAccounts::accountAdded);
        accounts->addAccount(peer->serverUrl(), u"user"_s, u"secret"_s);
        if (!waitFor([&] { return !added.isEmpty(); }, 30000))
            throw std::runtime_error("the account was not added");
        const QString id = added.front().front().toString();
        if (!waitForSync(id))
            throw std::runtime_error("the first sync did not end");
        return accounts->accounts().front();
    }
    bool waitForSync(const QString& id) {
        return waitFor(
            [&] {
                const auto state = accounts->status(id).state;
                return state != AccountSyncStatus::State::NotYet &&
                       state != AccountSyncStatus::State::Syncing;
            },
            30000);
    }
    bool syncNow(const QString& id) {
        accounts->syncNow();
        waitFor([&] { return accounts->status(id).state == AccountSyncStatus::State::Syncing; }, 5000);
        return waitForSync(id);
    }
    std::shared_ptr<CalEvent> addEvent(const QString& calendarUid, const QString& title) {
        auto event = loop.controller.createNewEvent();
        event->title = title;
        event->calendar = loop.model.calendarWithUid(calendarUid);
        event->startDate = QDateTime(QDate::currentDate().addDays(1), QTime(9, 0), Qt::UTC);
        event->endDate = event->startDate.addSecs(3600);
        loop.controller.addEvent(*event);
        Loop::nextPass();
        return event;
    }
    static QByteArray configuration() {
        QFile file(AccountFiles::configurationPath());
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    }

    static PrivateKeyring* keyring;
    QTemporaryDir home;
    std::unique_ptr<CalDavPeer> peer;
    Loop loop;
    std::unique_ptr<CalDavAccounts> accounts;
};

PrivateKeyring* CalDavAccountsTest::keyring = nullptr;

TEST_F(CalDavAccountsTest, AnAccountIsAddedWithItsPasswordInTheKeyringOnlyWhenTheServerTakesIt) {
    QSignalSpy failed(accounts.get(), &CalDavAccounts::addingFailed);
    accounts->addAccount(peer->serverUrl(), u"user"_s, u"wrong"_s);
    ASSERT_TRUE(waitFor([&] { return !failed.isEmpty(); }, 30000));
    EXPECT_EQ(failed.front().front().toString(), u"The server did not accept the user name or password"_s);
    EXPECT_TRUE(accounts->accounts().isEmpty());
    EXPECT_FALSE(configuration().contains("[pair ")) << "the failed account is forgotten";

    accounts->addAccount(u"http://127.0.0.1:1/"_s, u"user"_s, u"secret"_s);
    ASSERT_TRUE(waitFor([&] { return failed.size() == 2; }, 30000));
    EXPECT_TRUE(failed.back().front().toString().contains(u"Cannot connect"_s))
        << failed.back().front().toString().toStdString();

    const CalDavAccount account = addAccount();
    EXPECT_EQ(account.name, u"user@127.0.0.1"_s);
    EXPECT_EQ(account.collections, QStringList{u"shared"_s});
    EXPECT_EQ(PrivateKeyring::lookup(account.id).first, "secret");
    EXPECT_TRUE(configuration().contains("password.fetch"));
    EXPECT_FALSE(configuration().contains("\"secret\"")) << "no password in a plain file";
    EXPECT_EQ(accounts->status(account.id).state, AccountSyncStatus::State::Synced);

    // The server's calendar is a folder of the store with the server's name and colour.
    const QString uid = account.calendarUid(u"shared"_s);
    ASSERT_TRUE(waitFor([&] { return loop.model.calendarWithUid(uid) != nullptr; }));
    EXPECT_EQ(loop.model.calendarWithUid(uid)->title, u"Shared"_s);
    EXPECT_EQ(QColor(loop.model.calendarWithUid(uid)->color), QColor(u"#3a7bd5"_s));
    EXPECT_EQ(accounts->accountOfCalendar(uid)->id, account.id);
    EXPECT_EQ(CalDavAccounts(loop.root.path()).accounts().size(), 1) << "kept for the next start";
}

TEST_F(CalDavAccountsTest, ChangesHereSyncOnceAfterTheirPauseAndTheServersArriveOnSyncNow) {
    const CalDavAccount account = addAccount();
    const QString calendar = account.calendarUid(u"shared"_s);
    ASSERT_TRUE(waitFor([&] { return loop.model.calendarWithUid(calendar) != nullptr; }));
    SyncSchedule schedule(*accounts, loop.defaults);
    ASSERT_TRUE(
        waitFor([&] { return accounts->status(account.id).state == AccountSyncStatus::State::Syncing; }));
    ASSERT_TRUE(waitForSync(account.id)); // the sync at start
    int syncs = 0;
    QStringList shown;
    QObject::connect(accounts.get(), &CalDavAccounts::statusChanged, accounts.get(), [&] {
        const AccountSyncStatus status = accounts->status(account.id);
        syncs += status.state == AccountSyncStatus::State::Syncing && status.itemsCopied == 0;
        shown.append(status.text(QDateTime::currentDateTime()));
    });

    const auto first = addEvent(calendar, u"Made here"_s);
    schedule.localChangeMade();
    spin(2000);
    const auto second = addEvent(calendar, u"Made here too"_s);
    schedule.localChangeMade();
    EXPECT_EQ(syncs, 0) << "nothing before the pause";
    ASSERT_TRUE(waitFor([&] { return !peer->served(second->uid + u".ics"_s).isEmpty(); }, 30000));
    ASSERT_TRUE(waitForSync(account.id));
    EXPECT_TRUE(peer->served(first->uid + u".ics"_s).contains("SUMMARY:Made here"));
    EXPECT_EQ(syncs, 1);
    EXPECT_EQ(accounts->status(account.id).added, 2);
    EXPECT_TRUE(shown.contains(u"Syncing… 2 copied"_s)) << "progress while it runs";

    ASSERT_TRUE(
        peer->put(u"from-the-server.ics"_s,
                  "BEGIN:VCALENDAR\r\nVERSION:2.0\r\nPRODID:-//Another device//EN\r\nBEGIN:VEVENT\r\n"
                  "UID:from-the-server\r\nDTSTAMP:20261208T000000Z\r\nDTSTART:20261211T150000Z\r\n"
                  "DTEND:20261211T160000Z\r\nSUMMARY:From the server\r\nEND:VEVENT\r\nEND:VCALENDAR\r\n"));
    ASSERT_TRUE(syncNow(account.id));
    ASSERT_TRUE(waitFor([&] { return !loop.modelled(u"from-the-server"_s).isEmpty(); }));
    EXPECT_EQ(loop.modelled(u"from-the-server"_s).front()->calendar->uid, calendar);
    EXPECT_EQ(accounts->status(account.id).text(QDateTime::currentDateTime()), u"Synced just now"_s);
}

TEST_F(CalDavAccountsTest, AnEventChangedOnBothSidesWaitsForTheUsersChoiceEitherWay) {
    const CalDavAccount account = addAccount();
    const QString calendar = account.calendarUid(u"shared"_s);
    ASSERT_TRUE(waitFor([&] { return loop.model.calendarWithUid(calendar) != nullptr; }));
    const auto event = addEvent(calendar, u"Planning"_s);
    ASSERT_TRUE(syncNow(account.id));
    const QString item = event->uid + u".ics"_s;
    QSignalSpy conflicts(accounts.get(), &CalDavAccounts::conflictFound);

    const auto changeBothSides = [&](const QString& mine, const QString& theirs) {
        ASSERT_FALSE(loop.rewriteAsSync(calendar, event->uid, mine).isEmpty());
        QByteArray served = peer->served(item);
        const qsizetype summary = served.indexOf("SUMMARY:") + 8;
        served.replace(summary, served.indexOf("\r\n", summary) - summary, theirs.toUtf8());
        ASSERT_TRUE(peer->put(item, served));
        ASSERT_TRUE(syncNow(account.id));
    };

    changeBothSides(u"Planning here"_s, u"Planning there"_s);
    ASSERT_EQ(conflicts.size(), 1);
    const auto conflict = conflicts.front().front().value<SyncConflict>();
    EXPECT_EQ(conflict.eventUid, event->uid);
    EXPECT_EQ(conflict.calendarUid, calendar);
    EXPECT_EQ(accounts->status(account.id).text(QDateTime::currentDateTime()),
              u"An event changed on both sides"_s);
    EXPECT_TRUE(loop.file(calendar, event->uid).contains("SUMMARY:Planning here"))
        << "nothing chosen for the user";
    EXPECT_TRUE(peer->served(item).contains("SUMMARY:Planning there"));

    accounts->resolveConflict(conflict, CalDavAccounts::ConflictChoice::TakeTheirs);
    ASSERT_TRUE(
        waitFor([&] { return loop.file(calendar, event->uid).contains("SUMMARY:Planning there"); }, 30000));
    ASSERT_TRUE(waitForSync(account.id));
    EXPECT_TRUE(accounts->status(account.id).conflicts.isEmpty());

    changeBothSides(u"Mine again"_s, u"Theirs again"_s);
    ASSERT_EQ(conflicts.size(), 2);
    accounts->resolveConflict(conflicts.back().front().value<SyncConflict>(),
                              CalDavAccounts::ConflictChoice::KeepMine);
    ASSERT_TRUE(waitFor([&] { return peer->served(item).contains("SUMMARY:Mine again"); }, 30000));
    ASSERT_TRUE(waitForSync(account.id));
    EXPECT_TRUE(loop.file(calendar, event->uid).contains("SUMMARY:Mine again"));
    EXPECT_FALSE(configuration().contains("conflict_resolution")) << "the choice was for that conflict only";
}

TEST_F(CalDavAccountsTest, AServerOutOfReachIsOfflineAndARemovedAccountLeavesNoPasswordOrSync) {
    const CalDavAccount account = addAccount();
    peer.reset();
    ASSERT_TRUE(syncNow(account.id));
    EXPECT_EQ(accounts->status(account.id).text(QDateTime::currentDateTime()), u"Offline"_s);

    accounts->removeAccount(account.id);
    EXPECT_TRUE(accounts->accounts().isEmpty());
    EXPECT_EQ(PrivateKeyring::lookup(account.id).second, 1) << "the keyring entry is gone";
    EXPECT_FALSE(configuration().contains("[pair "));
    EXPECT_TRUE(CalDavAccounts(loop.root.path()).accounts().isEmpty());
    EXPECT_TRUE(QDir(loop.root.filePath(account.calendarUid(u"shared"_s))).exists())
        << "the folder is the caller's";
}

} // namespace
