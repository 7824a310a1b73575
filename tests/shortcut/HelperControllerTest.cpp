// The helper switch over real autostart and application folders in a temporary home, a real helper
// stand-in (a script that leaves a mark when started) and the session bus for the exit request.
#include "shortcut/HelperController.h"
#include "EventLoopWait.h"
#include "shortcut/DistributedNotificationCenter.h"
#include "shortcut/SSLoginItems.h"

#include "base/Logger.h"

#include "HostileFile.h"
#include "TestFiles.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QFile>
#include <QFileInfo>
#include <QMessageBox>
#include <QSignalSpy>
#include <QTemporaryDir>

using namespace Qt::StringLiterals;

namespace {

class HelperControllerTest : public ::testing::Test {
protected:
    void SetUp() override {
        if (qEnvironmentVariableIsEmpty("DBUS_SESSION_BUS_ADDRESS"))
            GTEST_SKIP() << "no session bus (scripts/test runs the tests under dbus-run-session)";
        m_savedConfig = qgetenv("XDG_CONFIG_HOME");
        m_savedData = qgetenv("XDG_DATA_HOME");
        qputenv("XDG_CONFIG_HOME", m_home.filePath(u"config"_s).toUtf8());
        qputenv("XDG_DATA_HOME", m_home.filePath(u"data"_s).toUtf8());
        // A folder with a space and a quote, which the entry's Exec line must carry intact.
        m_helper = m_home.filePath(u"my \"apps\"/verdalune-helper"_s);
        ASSERT_TRUE(writeScript(m_helper, "#!/bin/sh\necho started >> \"$(dirname \"$0\")/starts\"\n"));
        m_controller = std::make_unique<HelperController>(m_center, m_helper);
    }
    void TearDown() override {
        // Alerts are window-modal and open without blocking; close what a test left open.
        for (QWidget* widget : QApplication::topLevelWidgets())
            if (qobject_cast<QMessageBox*>(widget))
                widget->close();
        qputenv("XDG_CONFIG_HOME", m_savedConfig);
        qputenv("XDG_DATA_HOME", m_savedData);
    }

    QString autostartEntry() const {
        return m_home.filePath(u"config/autostart/com.pellowick.verdalunehelper.desktop"_s);
    }
    int starts() const {
        return int(readFile(m_home.filePath(u"my \"apps\"/starts"_s)).count('\n')); // none while not started
    }

    QTemporaryDir m_home;
    QByteArray m_savedConfig, m_savedData;
    QString m_helper;
    DistributedNotificationCenter m_center;
    std::unique_ptr<HelperController> m_controller;
};

} // namespace

TEST_F(HelperControllerTest, SwitchingOnStartsTheHelperAndAddsItToLoginSwitchingOffAsksItToQuitAndRemovesIt) {
    // Registered with the desktop, for its name and icon, only while switched on.
    const QString registered = m_home.filePath(u"data/applications/com.pellowick.verdalunehelper.desktop"_s);
    EXPECT_FALSE(QFile::exists(registered));

    m_controller->setEnabled(true);
    EXPECT_TRUE(waitFor([this] { return starts() == 1; }));
    ASSERT_TRUE(QFile::exists(autostartEntry()));
    EXPECT_TRUE(QFile::exists(registered));
    EXPECT_TRUE(SSLoginItems::isLoginItemURL(m_controller->helperUrl()));

    QSignalSpy posted(&m_center, &DistributedNotificationCenter::notificationPosted);
    QSignalSpy errors(m_controller.get(), &HelperController::errorReported);
    m_controller->setEnabled(false);
    EXPECT_FALSE(QFile::exists(autostartEntry()));
    EXPECT_FALSE(QFile::exists(registered));
    ASSERT_TRUE(waitFor([&] { return !posted.isEmpty(); }));
    EXPECT_EQ(posted.first().first().toString(), u"com.pellowickVelDidRequestHelperToExit"_s);
    EXPECT_TRUE(errors.isEmpty());
}

TEST_F(HelperControllerTest, AnExistingLoginItemIsKeptAndARunningHelperIsNotStartedTwice) {
    // An entry the user wrote by hand, naming the helper in its own words.
    ASSERT_TRUE(writeFile(SSLoginItems::autostartDirectory() + u"/my-helper.desktop"_s,
                          u"[Desktop Entry]\nType=Application\nExec=\"%1\" --quiet\n"_s
                              .arg(QString(m_helper).replace(u'"', u"\\\\\""_s))
                              .toUtf8()));
    ASSERT_TRUE(SSLoginItems::isLoginItemURL(m_controller->helperUrl()));

    m_controller->setEnabled(true);
    EXPECT_FALSE(QFile::exists(autostartEntry())) << "a second entry for the same helper";
    ASSERT_TRUE(waitFor([this] { return starts() == 1; }));

    // A helper that owns its name on the bus runs already.
    m_controller->setEnabled(false);
    ASSERT_TRUE(QDBusConnection::sessionBus().registerService(HelperController::HELPER_BUNDLE_IDENTIFIER));
    const int before = starts();
    m_controller->setEnabled(true);
    QDBusConnection::sessionBus().unregisterService(HelperController::HELPER_BUNDLE_IDENTIFIER);
    spin(300);
    EXPECT_EQ(starts(), before);
    EXPECT_TRUE(QFile::exists(autostartEntry()));
}

TEST_F(HelperControllerTest, SwitchingOffWhenNotALoginItemShowsTheRemoveErrorWithTheUnderlyingOne) {
    m_controller->setEnabled(true);
    ASSERT_TRUE(QFile::remove(autostartEntry()));
    QSignalSpy errors(m_controller.get(), &HelperController::errorReported);
    m_controller->setEnabled(false);
    ASSERT_EQ(errors.size(), 1);
    const auto error = errors.first().first().value<ErrorReport>();
    EXPECT_EQ(error.domain, u"com.pellowick.verdalune.ErrorDomain"_s);
    EXPECT_EQ(error.code, 4);
    EXPECT_EQ(error.description,
              u"Sorry, but I couldn't remove the helper application from the Login Items."_s);
    EXPECT_TRUE(error.recoverySuggestion.endsWith(
        u"in your desktop's autostart settings, or remove its entry from %1."_s.arg(
            QFileInfo(autostartEntry()).path())))
        << error.recoverySuggestion.toStdString();
    ASSERT_TRUE(error.underlying);
    EXPECT_EQ(error.underlying->domain, u"SSLoginErrorDomain"_s);
    EXPECT_EQ(error.underlying->code, -330);
    EXPECT_FALSE(m_controller->enabled()) << "the switch follows the user even after a failure";
}

TEST_F(HelperControllerTest, AHelperThatCannotBeStartedIsOneAlertCarryingTheReason) {
    ASSERT_TRUE(writeScript(m_helper, "#!/nonexistent/interpreter\n"));
    QSignalSpy errors(m_controller.get(), &HelperController::errorReported);
    m_controller->setEnabled(true);
    ASSERT_EQ(errors.size(), 1);
    const auto error = errors.first().first().value<ErrorReport>();
    EXPECT_EQ(error.code, 1);
    ASSERT_TRUE(error.underlying);
    EXPECT_FALSE(error.underlying->description.isEmpty());
    // Why, and what to do: the path, the launch's own reason, and where to switch it on again.
    EXPECT_TRUE(error.description.contains(m_helper)) << error.description.toStdString();
    EXPECT_TRUE(error.description.contains(error.underlying->description));
    EXPECT_TRUE(error.recoverySuggestion.contains(u"preferences"_s));
}

TEST_F(HelperControllerTest, EntriesThatCannotBeResolvedOrThatTheUserSwitchedOffAreNotLoginItems) {
    ASSERT_TRUE(writeFile(SSLoginItems::autostartDirectory() + u"/a-gone.desktop"_s,
                          "[Desktop Entry]\nExec=/media/unplugged/program\n"));
    QStringList warnings;
    Logger::addLoggerWithName(LOTHER).setLevel(Logger::LOG_WARNING_LEVEL);
    Logger::setSink([&](const QString& line) { warnings.append(line); });
    EXPECT_FALSE(SSLoginItems::isLoginItemURL(m_controller->helperUrl()));
    Logger::setSink(nullptr);
    Logger::addLoggerWithName(LOTHER).setLevel(Logger::LOG_ERROR_LEVEL);
    ASSERT_EQ(warnings.size(), 1);
    EXPECT_TRUE(warnings.first().contains(u"Skipping this item."_s));

    m_controller->setEnabled(true);
    QFile entry(autostartEntry());
    ASSERT_TRUE(entry.open(QIODevice::Append));
    entry.write("Hidden=true\n");
    entry.close();
    EXPECT_FALSE(SSLoginItems::isLoginItemURL(m_controller->helperUrl()));
}

// What else may be at the paths of the two entries the switch writes: the one that registers the helper
// with the desktop and the login item.
class HelperControllerHostileTest : public HelperControllerTest,
                                    public ::testing::WithParamInterface<HostileKind> {};

TEST_P(HelperControllerHostileTest, EntriesThatAreNotPlainFilesAreNotReadAndAreWrittenAnewWithoutHarm) {
    const QString registered = m_home.filePath(u"data/applications/com.pellowick.verdalunehelper.desktop"_s);
    constexpr qint64 OVERSIZE = SSLoginItems::MAX_ENTRY_SIZE + 1;
    EXPECT_TRUE(withstands(GetParam(), registered, OVERSIZE, [&] {
        m_controller->registerHelperBundleIdentifier();
        return true;
    }));
    const bool writable = GetParam() != HostileKind::Directory;
    const QUrl helper = m_controller->helperUrl();
    EXPECT_TRUE(withstands(GetParam(), autostartEntry(), OVERSIZE, [&] {
        return !SSLoginItems::isLoginItemURL(helper) &&
               SSLoginItems::addLoginURL(helper, HelperController::HELPER_BUNDLE_IDENTIFIER,
                                         u"Verdalune Helper"_s, nullptr) == writable &&
               SSLoginItems::isLoginItemURL(helper) == writable;
    }));
}

INSTANTIATE_TEST_SUITE_P(Kinds, HelperControllerHostileTest, ::testing::ValuesIn(ALL_HOSTILE_KINDS),
                         hostileTestName);
