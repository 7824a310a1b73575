#pragma once

#include "shortcut/GlobalHotKeyController.h"

#include <QDBusServiceWatcher>
#include <QObject>

class UserDefaults;

// The main program's global new-event shortcut, following the stored key code and flags. An X server
// lets only one program grab a key, so while the helper runs it owns the shortcut and hands presses
// over; this program takes it back when the helper goes away.
class NewEventShortcutBinding : public QObject {
    Q_OBJECT
public:
    NewEventShortcutBinding(UserDefaults& userDefaults, const QString& helperServiceName,
                            QObject* parent = nullptr);

    GlobalHotKeyController& hotKeyController() { return m_hotKeyController; }
    // Whether this program holds the shortcut now (not the helper).
    bool ownsShortcut() const { return m_ownsShortcut; }

signals:
    void pressed();

private:
    void apply();

    UserDefaults& m_userDefaults;
    GlobalHotKeyController m_hotKeyController;
    QDBusServiceWatcher m_helperWatcher;
    QString m_helperServiceName;
    bool m_ownsShortcut = false;
};
