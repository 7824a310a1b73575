// The preferences window over a real settings file, with the notification to the helper on the session
// bus. Key presses carry the X key code the way the X11 platform delivers them.
#include "shortcut/PreferenceController.h"
#include "EventLoopWait.h"
#include "shortcut/DistributedNotificationCenter.h"
#include "shortcut/ShortcutRecorder.h"

#include "base/UserDefaults.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QCheckBox>
#include <QElapsedTimer>
#include <QKeyEvent>
#include <QLineEdit>
#include <QRadioButton>
#include <QSettings>
#include <QSignalSpy>
#include <QTemporaryDir>

using namespace Qt::StringLiterals;

namespace {

constexpr int keyN = 57;
constexpr int keyK = 45;
constexpr unsigned int desktopCommand = 0x100000, desktopControl = 0x40000, desktopShift = 0x20000;

class PreferenceControllerTest : public ::testing::Test {
protected:
    // The main program's factory values, registered before the window reads them.
    static UserDefaults& withFactoryDefaults(UserDefaults& defaults) {
        defaults.registerDefaults({{u"timeDisplayHours"_s, 24},
                                   {u"dayMonthOrder"_s, 0},
                                   {u"newEventHotKey_code"_s, keyN},
                                   {u"newEventHotKey_flags"_s, desktopCommand | desktopControl},
                                   {u"runHelperApplication"_s, true}});
        return defaults;
    }

    void press(int key, Qt::KeyboardModifiers modifiers, quint32 keyCode) {
        QKeyEvent event(QEvent::KeyPress, key, modifiers, keyCode, 0, 0);
        QApplication::sendEvent(&preferences.shortcutRecorderControl(), &event);
    }
    void startRecording() {
        preferences.shortcutRecorderControl().click();
        ASSERT_TRUE(preferences.shortcutRecorderControl().isRecording());
    }
    QString settingsPath() const { return directory.filePath(u"verdalune.conf"_s); }

    QTemporaryDir directory;
    UserDefaults defaults{settingsPath()};
    DistributedNotificationCenter center;
    PreferenceController preferences{withFactoryDefaults(defaults), center};
};

} // namespace

TEST_F(PreferenceControllerTest, TheControlsShowTheStoredValuesAndStoreTheChosenOnes) {
    EXPECT_TRUE(preferences.time24hButtonCell().isChecked());
    EXPECT_TRUE(preferences.dayMonthButtonCell().isChecked());
    EXPECT_EQ(preferences.shortcutRecorderControl().text(), u"Ctrl+Super+N"_s);
    EXPECT_TRUE(preferences.runHelperCheckBox().isChecked());

    preferences.time12hButtonCell().click();
    preferences.monthDayButtonCell().click();
    EXPECT_EQ(defaults.value(u"timeDisplayHours"_s).toInt(), 12);
    EXPECT_EQ(defaults.value(u"dayMonthOrder"_s).toInt(), 1);
    EXPECT_FALSE(preferences.time24hButtonCell().isChecked());

    // Addresses typed with any separator are kept as a list, and shown again as one.
    preferences.myAddressesField().setText(u" ana@example.org;Ana.Work@example.org  ,, x@y "_s);
    emit preferences.myAddressesField().editingFinished();
    EXPECT_EQ(defaults.value(u"myAddresses"_s).toStringList(),
              (QStringList{u"ana@example.org"_s, u"Ana.Work@example.org"_s, u"x@y"_s}));

    // A clock value the program does not know shows as 24 hours.
    defaults.setValue(u"timeDisplayHours"_s, 7);
    preferences.restoreDefaults();
    EXPECT_TRUE(preferences.time24hButtonCell().isChecked());
    EXPECT_FALSE(preferences.time12hButtonCell().isChecked());
    EXPECT_EQ(preferences.myAddressesField().text(), u"ana@example.org, Ana.Work@example.org, x@y"_s);
}

TEST_F(PreferenceControllerTest, ARecordedShortcutIsOnDiskBeforeTheHelperIsTold) {
    if (qEnvironmentVariableIsEmpty("DBUS_SESSION_BUS_ADDRESS"))
        GTEST_SKIP() << "no session bus (scripts/test runs the tests under dbus-run-session)";
    QString storedWhenTold, clockWhenTold;
    QObject::connect(&center, &DistributedNotificationCenter::notificationPosted, &preferences,
                     [&](const QString& name) {
                         if (name != u"com.pellowickVelDidUpdateUserDefaults"_s)
                             return;
                         const QSettings onDisk(settingsPath(), QSettings::IniFormat);
                         storedWhenTold = onDisk.value(u"newEventHotKey_code"_s).toString();
                         clockWhenTold = onDisk.value(u"timeDisplayHours"_s).toString();
                     });
    startRecording();
    press(Qt::Key_K, Qt::ControlModifier | Qt::ShiftModifier, keyK);
    EXPECT_FALSE(preferences.shortcutRecorderControl().isRecording());
    EXPECT_EQ(defaults.value(u"newEventHotKey_code"_s).toInt(), keyK);
    EXPECT_EQ(defaults.value(u"newEventHotKey_flags"_s).toUInt(), desktopControl | desktopShift);
    ASSERT_TRUE(waitFor([&] { return !storedWhenTold.isEmpty(); }));
    EXPECT_EQ(storedWhenTold, QString::number(keyK));

    // The helper shows times too, so a new clock is news for it as well.
    preferences.time12hButtonCell().click();
    ASSERT_TRUE(waitFor([&] { return clockWhenTold == u"12"_s; }));
}

TEST_F(PreferenceControllerTest, ClearingTheShortcutSwitchesTheHelperOffButKeepsTheWish) {
    QSignalSpy shouldRun(&preferences, &PreferenceController::shouldRunHelperApplicationChanged);
    startRecording();
    // Modifier keys alone, Shift alone, and keys the platform gives no code for record nothing.
    press(Qt::Key_Control, Qt::ControlModifier, 37);
    press(Qt::Key_A, Qt::ShiftModifier, 38);
    press(Qt::Key_B, Qt::ControlModifier, 0);
    EXPECT_TRUE(preferences.shortcutRecorderControl().isRecording());
    EXPECT_EQ(defaults.value(u"newEventHotKey_code"_s).toInt(), keyN);

    press(Qt::Key_Backspace, Qt::NoModifier, 22);
    EXPECT_EQ(defaults.value(u"newEventHotKey_code"_s).toInt(), -1);
    EXPECT_FALSE(preferences.hasNewEventShortcut());
    EXPECT_FALSE(preferences.shouldRunHelperApplication());
    ASSERT_FALSE(shouldRun.isEmpty());
    EXPECT_FALSE(shouldRun.last().first().toBool());
    EXPECT_TRUE(defaults.value(u"runHelperApplication"_s).toBool());
    EXPECT_FALSE(preferences.runHelperCheckBox().isEnabled());
    EXPECT_EQ(preferences.shortcutRecorderControl().text(), u"Click to record a shortcut"_s);

    // With a shortcut again, the wish holds once more.
    startRecording();
    press(Qt::Key_N, Qt::ControlModifier | Qt::MetaModifier, keyN);
    EXPECT_TRUE(preferences.shouldRunHelperApplication());
    EXPECT_TRUE(shouldRun.last().first().toBool());
}

TEST_F(PreferenceControllerTest, EscapeCancelsRecordingAndTheHelperSwitchStoresTheWish) {
    startRecording();
    press(Qt::Key_Escape, Qt::NoModifier, 9);
    EXPECT_FALSE(preferences.shortcutRecorderControl().isRecording());
    EXPECT_EQ(defaults.value(u"newEventHotKey_code"_s).toInt(), keyN);
    EXPECT_EQ(preferences.shortcutRecorderControl().text(), u"Ctrl+Super+N"_s);

    preferences.runHelperCheckBox().click();
    EXPECT_FALSE(defaults.value(u"runHelperApplication"_s).toBool());
    EXPECT_FALSE(preferences.shouldRunHelperApplication());
}
