// The helper program as the desktop runs it: its own process on the test's session bus, with an X server
// of the test's own for the shortcut and the editor window, and settings and calendars in a temporary
// home.
#include "EventLoopWait.h"
#include "HostileFile.h"
#include "XvfbServer.h"
#include "shortcut/XcbConnection.h"

#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QDBusConnection>
#include <QDBusConnectionInterface>
#include <QDBusMessage>
#include <QDir>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>

#include <csignal>
#include <functional>
#include <memory>

#include <sys/stat.h>

using namespace Qt::StringLiterals;

namespace {

const QString HELPER_NAME = u"com.pellowick.verdalunehelper"_s;
const QString MAIN_NAME = u"com.pellowick.verdalune"_s;
constexpr xcb_keycode_t keyN = 57;

bool nameHasOwner(const QString& name) {
    return QDBusConnection::sessionBus().interface()->isServiceRegistered(name).value();
}

// A session bus of the test's own beside the shared one, as after a restart of the user's bus, that the test
// can take away.
class PrivateSessionBus {
public:
    PrivateSessionBus() {
        m_daemon.start(u"dbus-daemon"_s, {u"--session"_s, u"--nofork"_s, u"--print-address=1"_s});
        while (!m_address.endsWith('\n') && m_daemon.waitForReadyRead(10000))
            m_address += m_daemon.readAllStandardOutput();
        m_address = m_address.trimmed();
    }
    ~PrivateSessionBus() { kill(); }
    QString address() const { return QString::fromUtf8(m_address); }
    bool nameHasOwner(const QString& name) const {
        const QDBusConnection bus = QDBusConnection::connectToBus(address(), u"private"_s);
        return bus.interface() && bus.interface()->isServiceRegistered(name).value();
    }
    void kill() {
        QDBusConnection::disconnectFromBus(u"private"_s);
        m_daemon.kill();
        m_daemon.waitForFinished();
    }

private:
    QProcess m_daemon;
    QByteArray m_address;
};

// Plays the running main program: owns its name and counts the presses the helper hands over.
class MainProgramStandIn : public QObject {
    Q_OBJECT
    Q_CLASSINFO("D-Bus Interface", "com.pellowick.verdalune")
public:
    MainProgramStandIn() {
        QDBusConnection::sessionBus().registerService(MAIN_NAME);
        QDBusConnection::sessionBus().registerObject(u"/"_s, this, QDBusConnection::ExportScriptableSlots);
    }
    ~MainProgramStandIn() override {
        QDBusConnection::sessionBus().unregisterObject(u"/"_s);
        QDBusConnection::sessionBus().unregisterService(MAIN_NAME);
    }
    int newEvents = 0;
public slots:
    Q_SCRIPTABLE void newEvent() { ++newEvents; }
};

class HelperProgramTest : public ::testing::Test {
protected:
    static void SetUpTestSuite() { server = std::make_unique<XvfbServer>(); }
    static void TearDownTestSuite() { server.reset(); }

    void SetUp() override {
        if (qEnvironmentVariableIsEmpty("DBUS_SESSION_BUS_ADDRESS"))
            GTEST_SKIP() << "no session bus (scripts/test runs the tests under dbus-run-session)";
        QDir(m_home.path()).mkpath(u"config/pellowick"_s);
        // The user's runtime folder, as the session manager makes it.
        QDir(m_home.path()).mkpath(u"runtime"_s);
        ::chmod(QFile::encodeName(runtimeFolder()).constData(), 0700);
        // Ctrl+Super+N, as the main program's factory settings have it, is not written down.
        writeSettings({{u"calendarStoreDirectory"_s, m_home.filePath(u"calendars"_s)}});
    }
    void TearDown() override {
        for (QProcess* helper : {&m_helper, &m_second}) {
            if (helper->state() != QProcess::NotRunning) {
                helper->kill();
                helper->waitForFinished();
            }
        }
    }

    QString runtimeFolder() const { return m_home.filePath(u"runtime"_s); }
    QString lockPath() const { return m_home.filePath(u"runtime/verdalune/helper.lock"_s); }

    void writeSettings(const QList<std::pair<QString, QString>>& values) {
        QFile file(m_home.filePath(u"config/pellowick/verdalune.conf"_s));
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write("[General]\n");
        for (const auto& [key, value] : values)
            file.write((key + u'=' + value + u'\n').toUtf8());
    }

    // On the shared test bus unless another bus address is given.
    void launch(QProcess& helper, const QString& busAddress = {}, const QString& platform = u"xcb"_s) {
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.insert(u"DISPLAY"_s, QString::fromLatin1(server->display()));
        environment.insert(u"QT_QPA_PLATFORM"_s, platform);
        environment.insert(u"XDG_CONFIG_HOME"_s, m_home.filePath(u"config"_s));
        environment.insert(u"XDG_DATA_HOME"_s, m_home.filePath(u"data"_s));
        environment.insert(u"XDG_STATE_HOME"_s, m_home.filePath(u"state"_s));
        environment.insert(u"XDG_RUNTIME_DIR"_s, runtimeFolder());
        if (!busAddress.isEmpty())
            environment.insert(u"DBUS_SESSION_BUS_ADDRESS"_s, busAddress);
        environment.remove(u"VERDALUNE_CALENDAR_DIR"_s);
        helper.setProcessEnvironment(environment);
        helper.setProcessChannelMode(QProcess::ForwardedErrorChannel);
        helper.start(QStringLiteral(HELPER_BINARY), {});
    }

    void startHelper() {
        launch(m_helper);
        ASSERT_TRUE(waitFor([] { return nameHasOwner(HELPER_NAME); })) << "the helper did not take its name";
    }

    // Ended by itself, through its normal shutdown with status 0.
    static bool endedCleanly(QProcess& helper) {
        return waitFor([&] { return helper.state() == QProcess::NotRunning; }) &&
               helper.exitStatus() == QProcess::NormalExit && helper.exitCode() == 0;
    }

    // Whether a window with this title is on the X server.
    static bool windowShown(const QString& title) {
        return server->xdotool({u"search"_s, u"--onlyvisible"_s, u"--name"_s, title});
    }

    // Presses `keys` until the editor shows; a press is only repeated after it had time to show, so
    // that no press is left over.
    static bool pressUntilEditorShown(const QString& keys) {
        for (int attempt = 0; attempt < 5; ++attempt) {
            server->xdotool({u"key"_s, keys});
            if (waitFor([] { return windowShown(u"New Event"_s); }, 2000))
                return true;
        }
        return false;
    }

    static void post(const QString& notification) {
        QDBusMessage message =
            QDBusMessage::createSignal(u"/com/pellowick/DistributedNotifications"_s,
                                       u"com.pellowick.DistributedNotifications"_s, u"Posted"_s);
        message << notification;
        QDBusConnection::sessionBus().send(message);
    }

    static inline std::unique_ptr<XvfbServer> server;
    QTemporaryDir m_home;
    QProcess m_helper;
    QProcess m_second;
};

} // namespace

TEST_F(HelperProgramTest, AloneItOpensTheEditorOnTheShortcutAndFollowsANewOneWhenTold) {
    startHelper();
    ASSERT_TRUE(pressUntilEditorShown(u"ctrl+super+n"_s)) << "no editor after the factory shortcut";
    EXPECT_TRUE(QDir(m_home.filePath(u"calendars"_s)).exists());
    // No window manager gives the editor the focus; Escape closes it once it has it.
    server->xdotool({u"search"_s, u"--onlyvisible"_s, u"--name"_s, u"New Event"_s, u"windowfocus"_s,
                     u"--sync"_s, u"%1"_s, u"key"_s, u"Escape"_s});
    ASSERT_TRUE(waitFor([] { return !windowShown(u"New Event"_s); }));

    // The preferences stored Ctrl+Alt+K (code 45, control and option) and said so.
    writeSettings({{u"calendarStoreDirectory"_s, m_home.filePath(u"calendars"_s)},
                   {u"newEventHotKey_code"_s, u"45"_s},
                   {u"newEventHotKey_flags"_s, QString::number(0x40000 | 0x80000)}});
    post(u"com.pellowickVelDidUpdateUserDefaults"_s);
    ASSERT_TRUE(pressUntilEditorShown(u"ctrl+alt+k"_s)) << "the new shortcut did not open the editor";
    EXPECT_EQ(m_helper.state(), QProcess::Running) << "re-registered without a restart";
}

TEST_F(HelperProgramTest, WhileTheMainProgramRunsThePressGoesToIt) {
    MainProgramStandIn mainProgram;
    // The main program holds the keys when it starts the helper, and lets go once the helper is there.
    XcbConnection mainProgramKeys(server->display());
    const uint16_t superControl = XCB_MOD_MASK_4 | XCB_MOD_MASK_CONTROL;
    xcb_grab_key(mainProgramKeys.get(), 1, mainProgramKeys.rootWindow(), superControl, keyN,
                 XCB_GRAB_MODE_ASYNC, XCB_GRAB_MODE_ASYNC);
    xcb_flush(mainProgramKeys.get());
    startHelper();
    spin(500);
    xcb_ungrab_key(mainProgramKeys.get(), keyN, mainProgramKeys.rootWindow(), superControl);
    xcb_flush(mainProgramKeys.get());
    ASSERT_TRUE(waitFor([&] {
        return server->xdotool({u"key"_s, u"ctrl+super+n"_s}) && mainProgram.newEvents > 0;
    }));
    EXPECT_FALSE(windowShown(u"New Event"_s));
}

TEST_F(HelperProgramTest, SigtermAndTheExitRequestEndItThroughItsNormalShutdown) {
    startHelper();
    ::kill(pid_t(m_helper.processId()), SIGTERM);
    ASSERT_TRUE(endedCleanly(m_helper));
    EXPECT_TRUE(waitFor([] { return !nameHasOwner(HELPER_NAME); }));

    startHelper();
    post(u"com.pellowickVelDidRequestHelperToExit"_s);
    EXPECT_TRUE(endedCleanly(m_helper));
}

TEST_F(HelperProgramTest, OfTwoStartedAtOnceOneRunsAndTheOtherEnds) {
    launch(m_helper);
    launch(m_second);
    ASSERT_TRUE(waitFor([&] {
        return m_helper.state() == QProcess::NotRunning || m_second.state() == QProcess::NotRunning;
    }));
    const bool firstEnded = m_helper.state() == QProcess::NotRunning;
    EXPECT_TRUE(endedCleanly(firstEnded ? m_helper : m_second));
    ASSERT_TRUE(waitFor([] { return nameHasOwner(HELPER_NAME); }));
    EXPECT_EQ(QDBusConnection::sessionBus().interface()->servicePid(HELPER_NAME).value(),
              uint((firstEnded ? m_second : m_helper).processId()));
}

// The user's bus was restarted while the old helper lives on: a helper on the new bus is still the second.
TEST_F(HelperProgramTest, ASecondHelperOnAnotherBusOfTheSameUserEnds) {
    startHelper();
    const PrivateSessionBus newBus;
    launch(m_second, newBus.address());
    EXPECT_TRUE(endedCleanly(m_second));
    EXPECT_EQ(m_helper.state(), QProcess::Running);
    struct stat lock {};
    ASSERT_EQ(::lstat(QFile::encodeName(lockPath()).constData(), &lock), 0);
    EXPECT_TRUE(S_ISREG(lock.st_mode));
    EXPECT_EQ(lock.st_mode & 0777, 0600u);
}

TEST_F(HelperProgramTest, ItEndsWhenItsSessionBusGoesAway) {
    PrivateSessionBus bus;
    // Offscreen: on X the accessibility bridge makes a blocking call as the event loop starts, and Qt 6.4
    // never ends a blocking call that the bus leaves unanswered by going away.
    launch(m_helper, bus.address(), u"offscreen"_s);
    ASSERT_TRUE(waitFor([&] { return bus.nameHasOwner(HELPER_NAME); }));
    bus.kill();
    EXPECT_TRUE(endedCleanly(m_helper));
}

class HelperLockPathTest : public HelperProgramTest, public ::testing::WithParamInterface<HostileKind> {};

// The lock file is the helper's own: whatever else sits there is neither followed nor waited on nor
// replaced, and the bus name still keeps a second helper out.
TEST_P(HelperLockPathTest, SomethingElseAtTheLockPathIsLeftAsItIs) {
    const QTemporaryDir scratch;
    const HostileFile hostile(GetParam(), lockPath(), scratch.path(), 1 << 20);
    ASSERT_TRUE(hostile.made());
    startHelper();
    launch(m_second);
    EXPECT_TRUE(endedCleanly(m_second));
    EXPECT_EQ(m_helper.state(), QProcess::Running);
    EXPECT_EQ(hostile.replacedByPlainFile(), GetParam() == HostileKind::Oversize);
    EXPECT_TRUE(hostile.harmless());
}

INSTANTIATE_TEST_SUITE_P(Kinds, HelperLockPathTest, ::testing::ValuesIn(ALL_HOSTILE_KINDS), hostileTestName);

#include "HelperProgramTest.moc"
