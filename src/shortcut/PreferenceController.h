#pragma once

#include <QDialog>

class DistributedNotificationCenter;
class GlobalHotKeyController;
class QCheckBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QRadioButton;
class QSpinBox;
class ShortcutRecorder;
class UserDefaults;

// The preferences window: the clock, the order of day and month, the global new-event shortcut,
// whether the helper keeps it while the main program is closed, the user's addresses, by which
// invitations are answered, and how often the CalDAV accounts sync. Everything is stored at once.
class PreferenceController : public QDialog {
    Q_OBJECT
    Q_PROPERTY(bool hasNewEventShortcut READ hasNewEventShortcut NOTIFY hasNewEventShortcutChanged)
    Q_PROPERTY(bool shouldRunHelperApplication READ shouldRunHelperApplication WRITE
                   setShouldRunHelperApplication NOTIFY shouldRunHelperApplicationChanged)
public:
    static inline const QString DID_UPDATE_USER_DEFAULTS =
        QStringLiteral("com.pellowickVelDidUpdateUserDefaults");

    // With `hotKeyController`, tells under the recorder why the shortcut does not work, when it does not.
    PreferenceController(UserDefaults& userDefaults,
                         DistributedNotificationCenter& distributedNotificationCenter,
                         GlobalHotKeyController* hotKeyController = nullptr, QWidget* parent = nullptr);

    bool hasNewEventShortcut() const;
    bool shouldRunHelperApplication() const;
    void setShouldRunHelperApplication(bool shouldRun);

    void timeMode12HAction();
    void timeMode24HAction();
    void monthDayAction();
    void dayMonthAction();
    void shortcutRecorderKeyComboDidChange(unsigned int desktopFlags, int keyCode);
    void myAddressesAction();
    void syncIntervalAction(int minutes);
    // Puts the stored values into the controls.
    void restoreDefaults();

    ShortcutRecorder& shortcutRecorderControl() const { return *m_shortcutRecorderControl; }
    QRadioButton& time12hButtonCell() const { return *m_time12hButtonCell; }
    QRadioButton& time24hButtonCell() const { return *m_time24hButtonCell; }
    QRadioButton& monthDayButtonCell() const { return *m_monthDayButtonCell; }
    QRadioButton& dayMonthButtonCell() const { return *m_dayMonthButtonCell; }
    QCheckBox& runHelperCheckBox() const { return *m_runHelperCheckBox; }
    QLabel& shortcutStatusLabel() const { return *m_shortcutStatusLabel; }
    QLineEdit& myAddressesField() const { return *m_myAddressesField; }
    QSpinBox& syncIntervalField() const { return *m_syncIntervalField; }

signals:
    void hasNewEventShortcutChanged(bool hasShortcut);
    void shouldRunHelperApplicationChanged(bool shouldRun);

protected:
    void showEvent(QShowEvent* event) override;

private:
    QGroupBox* syncBox();
    // The stored one, else the schedule's own.
    int syncIntervalMinutes() const;
    void showShortcutStatus();
    void tellHelper();

    ShortcutRecorder* m_shortcutRecorderControl;
    QRadioButton* m_time12hButtonCell;
    QRadioButton* m_time24hButtonCell;
    QRadioButton* m_monthDayButtonCell;
    QRadioButton* m_dayMonthButtonCell;
    QCheckBox* m_runHelperCheckBox;
    QLabel* m_shortcutStatusLabel;
    QLineEdit* m_myAddressesField;
    QSpinBox* m_syncIntervalField;
    UserDefaults& m_userDefaults;
    DistributedNotificationCenter& m_distributedNotificationCenter;
    GlobalHotKeyController* m_hotKeyController = nullptr;
};
