#include "shortcut/GlobalHotKeyController.h"
#include "shortcut/HotKeyModifiers.h"
#include "shortcut/PTHotKeyCenter.h"
#include "shortcut/PortalHotKeyBackend.h"

#include "TestSupport.h"

#include <QDBusConnection>
#include <QDBusMessage>
#include <QProcess>
#include <QRegularExpression>
#include <QSignalSpy>
#include <QTest>

#include <gtest/gtest.h>

namespace {
constexpr uint commandControl = HotKeyModifiers::DESKTOP_COMMAND | HotKeyModifiers::DESKTOP_CONTROL;

// The portal played by a program of its own on the session bus, and what it was asked.
class Portal {
public:
    explicit Portal(const QStringList& arguments = {}) {
        m_process.start(QStringLiteral(STAND_IN_PORTAL), arguments);
        m_started = waitForLine(QStringLiteral("ready"));
    }
    ~Portal() {
        m_process.kill();
        m_process.waitForFinished();
    }
    bool started() const { return m_started; }

    // Waits, running the event loop, until the portal has recorded `line`.
    bool waitForLine(const QString& line) {
        return QTest::qWaitFor([&] {
            m_output += QString::fromUtf8(m_process.readAllStandardOutput());
            return m_output.split(QLatin1Char('\n')).contains(line);
        });
    }
    int count(const QString& prefix) const {
        return int(
            m_output.split(QLatin1Char('\n')).filter(QRegularExpression(QLatin1Char('^') + prefix)).size());
    }
    void activate(const QString& shortcut) {
        QDBusMessage call = QDBusMessage::createMethodCall(QStringLiteral("org.freedesktop.portal.Desktop"),
                                                           QStringLiteral("/org/freedesktop/portal/desktop"),
                                                           QStringLiteral("com.pellowick.StandInPortal"),
                                                           QStringLiteral("Activate"));
        call << shortcut;
        QDBusConnection::sessionBus().call(call);
    }

private:
    QProcess m_process;
    QString m_output;
    bool m_started = false;
};
} // namespace

TEST(PortalHotKeyTest, BoundShortcutReportsPressesAndIsClosedWhenModifiersAreCleared) {
    Portal portal;
    ASSERT_TRUE(portal.started());
    PTHotKeyCenter center(std::make_unique<PortalHotKeyBackend>(QDBusConnection::sessionBus()));
    GlobalHotKeyController controller(center);
    QSignalSpy presses(&controller, &GlobalHotKeyController::didPressGlobalHotKey);
    ASSERT_TRUE(controller.isShortcutAvailable());

    controller.setNewEventCode(57);
    controller.setNewEventModifiers(commandControl);
    ASSERT_TRUE(portal.waitForLine(QStringLiteral("BindShortcuts NewEvent CTRL+LOGO+n")));
    portal.activate(QStringLiteral("NewEvent"));
    ASSERT_TRUE(presses.wait());
    EXPECT_EQ(presses.count(), 1);

    controller.setNewEventModifiers(0);
    EXPECT_TRUE(
        portal.waitForLine(QStringLiteral("Close /org/freedesktop/portal/desktop/session/%1/verdalune1")
                               .arg(QDBusConnection::sessionBus().baseService().mid(1).replace(
                                   QLatin1Char('.'), QLatin1Char('_')))));
    EXPECT_EQ(portal.count(QStringLiteral("CreateSession")), 1);
}

TEST(PortalHotKeyTest, BindingTheUserCancelsIsReportedAsRefused) {
    Portal portal({QStringLiteral("--refuse")});
    ASSERT_TRUE(portal.started());
    PTHotKeyCenter center(std::make_unique<PortalHotKeyBackend>(QDBusConnection::sessionBus()));
    GlobalHotKeyController controller(center);
    QSignalSpy errorChanges(&controller, &GlobalHotKeyController::registrationErrorChanged);

    controller.registerHotKeyWithKeyCode(57, commandControl);
    ASSERT_TRUE(errorChanges.wait());
    EXPECT_NE(controller.registrationError(), QString());
    EXPECT_EQ(controller.newEventHotKey(), nullptr);
    EXPECT_TRUE(center.allHotKeys().isEmpty());
}

TEST(PortalHotKeyTest, WithoutThePortalNoShortcutIsAvailable) {
    PTHotKeyCenter center(std::make_unique<PortalHotKeyBackend>(QDBusConnection::sessionBus()));
    EXPECT_FALSE(center.isAvailable());
    EXPECT_NE(center.unavailableReason(), QString());
}
