#include "shortcut/GlobalHotKeyController.h"
#include "shortcut/HotKeyModifiers.h"
#include "shortcut/PTHotKey.h"
#include "shortcut/PTHotKeyCenter.h"
#include "shortcut/X11HotKeyBackend.h"
#include "shortcut/XcbConnection.h"

#include "TestSupport.h"
#include "XvfbServer.h"

#include <QSignalSpy>

#include <cstdlib>
#include <gtest/gtest.h>
#include <memory>

namespace {
constexpr int keyN = 57;
constexpr uint commandControl = HotKeyModifiers::DESKTOP_COMMAND | HotKeyModifiers::DESKTOP_CONTROL;
constexpr uint16_t superControl = XCB_MOD_MASK_4 | XCB_MOD_MASK_CONTROL;
constexpr uint16_t numLock = XCB_MOD_MASK_2; // where the default keymap puts NumLock

// Another X client, to hold combinations the way a second program would.
class OtherClient {
public:
    explicit OtherClient(const QByteArray& display) : m_connection(display) {}
    // Whether the server granted the grab of `keyCode` with exactly `modifiers`.
    bool grab(int keyCode, uint16_t modifiers) {
        const xcb_void_cookie_t cookie =
            xcb_grab_key_checked(m_connection.get(), 1, m_connection.rootWindow(), modifiers,
                                 xcb_keycode_t(keyCode), XCB_GRAB_MODE_ASYNC, XCB_GRAB_MODE_ASYNC);
        xcb_generic_error_t* error = xcb_request_check(m_connection.get(), cookie);
        std::free(error);
        return error == nullptr;
    }
    void ungrab(int keyCode, uint16_t modifiers) {
        xcb_ungrab_key(m_connection.get(), xcb_keycode_t(keyCode), m_connection.rootWindow(), modifiers);
        std::free(
            xcb_get_input_focus_reply(m_connection.get(), xcb_get_input_focus(m_connection.get()), nullptr));
    }

private:
    XcbConnection m_connection;
};

class X11HotKeyTest : public ::testing::Test {
protected:
    static void SetUpTestSuite() { server = std::make_unique<XvfbServer>(); }
    static void TearDownTestSuite() { server.reset(); }

    static inline std::unique_ptr<XvfbServer> server;
    PTHotKeyCenter center{std::make_unique<X11HotKeyBackend>(server->display())};
    GlobalHotKeyController controller{center};
    QSignalSpy presses{&controller, &GlobalHotKeyController::didPressGlobalHotKey};
    OtherClient otherClient{server->display()};
};
} // namespace

TEST_F(X11HotKeyTest, EachPressReachesTheDelegateOnceWhateverTheNumLockState) {
    controller.setNewEventCode(keyN);
    controller.setNewEventModifiers(commandControl);
    ASSERT_EQ(controller.registrationError(), QString());

    // N goes up while Super and Ctrl are still down, so its release carries the same modifiers.
    ASSERT_TRUE(
        server->xdotool({QStringLiteral("keydown"), QStringLiteral("super+ctrl+n"), QStringLiteral("keyup"),
                         QStringLiteral("n"), QStringLiteral("keyup"), QStringLiteral("super+ctrl")}));
    ASSERT_TRUE(presses.wait());
    EXPECT_EQ(presses.at(0).at(0).value<PTHotKey*>()->identifier(), QStringLiteral("NewEvent"));

    ASSERT_TRUE(server->xdotool({QStringLiteral("key"), QStringLiteral("Num_Lock"),
                                 QStringLiteral("super+ctrl+n"), QStringLiteral("Num_Lock")}));
    ASSERT_TRUE(presses.wait());
    // The first release came before the second press: had it counted, there would be three.
    EXPECT_EQ(presses.count(), 2);
}

TEST_F(X11HotKeyTest, CombinationHeldByAnotherProgramIsRefusedWithTheReason) {
    ASSERT_TRUE(otherClient.grab(keyN, superControl | numLock));
    QSignalSpy errorChanges(&controller, &GlobalHotKeyController::registrationErrorChanged);

    controller.setNewEventCode(keyN);
    controller.setNewEventModifiers(commandControl);
    EXPECT_NE(controller.registrationError(), QString());
    EXPECT_EQ(errorChanges.count(), 1);
    EXPECT_EQ(controller.newEventHotKey(), nullptr);
    EXPECT_TRUE(center.allHotKeys().isEmpty());
    // The lock variants granted before the refusal were given back.
    EXPECT_TRUE(otherClient.grab(keyN, superControl));
    otherClient.ungrab(keyN, superControl);

    otherClient.ungrab(keyN, superControl | numLock);
    controller.registerHotKey();
    EXPECT_EQ(controller.registrationError(), QString());
    EXPECT_EQ(errorChanges.count(), 2);
    EXPECT_FALSE(otherClient.grab(keyN, superControl | XCB_MOD_MASK_LOCK));
}

TEST_F(X11HotKeyTest, ModifiersZeroReleasesTheCombinationAndRestoringThemRegistersUnderANewId) {
    controller.setNewEventCode(keyN);
    EXPECT_EQ(controller.newEventHotKey(), nullptr);
    controller.setNewEventModifiers(commandControl);
    ASSERT_NE(controller.newEventHotKey(), nullptr);
    const quint32 firstId = controller.newEventHotKey()->hotKeyID();
    EXPECT_EQ(center.hotKeyWithIdentifier(QStringLiteral("NewEvent")), controller.newEventHotKey());

    controller.setNewEventModifiers(0);
    EXPECT_EQ(controller.newEventHotKey(), nullptr);
    EXPECT_TRUE(center.allHotKeys().isEmpty());
    EXPECT_TRUE(otherClient.grab(keyN, superControl));
    otherClient.ungrab(keyN, superControl);

    controller.setNewEventModifiers(commandControl);
    ASSERT_NE(controller.newEventHotKey(), nullptr);
    EXPECT_GT(controller.newEventHotKey()->hotKeyID(), firstId);
    EXPECT_EQ(center.allHotKeys().size(), 1);
}

TEST_F(X11HotKeyTest, DesktopFlagsRegisterAsHotKeyFlagsAndRegisteringAgainReplacesTheRegistration) {
    controller.registerHotKeyWithKeyCode(49,
                                         HotKeyModifiers::DESKTOP_COMMAND | HotKeyModifiers::DESKTOP_OPTION);
    ASSERT_NE(controller.newEventHotKey(), nullptr) << controller.registrationError().toStdString();
    PTHotKey& hotKey = *controller.newEventHotKey();
    EXPECT_EQ(hotKey.keyCombo(), PTKeyCombo(49, 0x900));
    EXPECT_FALSE(otherClient.grab(49, XCB_MOD_MASK_4 | XCB_MOD_MASK_1));

    const quint32 firstId = hotKey.hotKeyID();
    EXPECT_TRUE(center.registerHotKey(hotKey));
    EXPECT_NE(hotKey.hotKeyID(), firstId);
    EXPECT_EQ(center.allHotKeys(), QList<PTHotKey*>{&hotKey});
}

TEST(X11HotKeyUnavailableTest, WithoutADisplayNothingRegistersAndTheUserIsTold) {
    PTHotKeyCenter center(std::make_unique<X11HotKeyBackend>(":65000"));
    GlobalHotKeyController controller(center);
    EXPECT_FALSE(controller.isShortcutAvailable());
    EXPECT_NE(controller.unavailableReason(), QString());

    controller.registerHotKeyWithKeyCode(keyN, commandControl);
    EXPECT_EQ(controller.newEventHotKey(), nullptr);
    EXPECT_EQ(controller.registrationError(), controller.unavailableReason());
}
