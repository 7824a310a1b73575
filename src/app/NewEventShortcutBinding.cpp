#include "NewEventShortcutBinding.h"

#include "base/UserDefaults.h"
#include "shortcut/PreferenceKeys.h"

#include <QDBusConnection>
#include <QDBusConnectionInterface>
#include <QTimer>

using namespace PreferenceKeys;

NewEventShortcutBinding::NewEventShortcutBinding(UserDefaults& userDefaults, const QString& helperServiceName,
                                                 QObject* parent)
    : QObject(parent), m_userDefaults(userDefaults),
      m_helperWatcher(helperServiceName, QDBusConnection::sessionBus(),
                      QDBusServiceWatcher::WatchForOwnerChange),
      m_helperServiceName(helperServiceName) {
    connect(&m_hotKeyController, &GlobalHotKeyController::didPressGlobalHotKey, this,
            &NewEventShortcutBinding::pressed);
    connect(&m_userDefaults, &UserDefaults::valueChanged, this, [this](const QString& key) {
        if (key == NEW_EVENT_HOT_KEY_CODE || key == NEW_EVENT_HOT_KEY_FLAGS)
            apply();
    });
    // A helper killed outright loses its name and its key grab at about the same time; give the X
    // server a moment to drop the grab.
    connect(&m_helperWatcher, &QDBusServiceWatcher::serviceOwnerChanged, this,
            [this](const QString&, const QString&, const QString& newOwner) {
                QTimer::singleShot(newOwner.isEmpty() ? 250 : 0, this, &NewEventShortcutBinding::apply);
            });
    apply();
}

void NewEventShortcutBinding::apply() {
    const QDBusConnectionInterface* bus = QDBusConnection::sessionBus().interface();
    m_ownsShortcut = !(bus && bus->isServiceRegistered(m_helperServiceName).value());
    if (!m_ownsShortcut) {
        m_hotKeyController.unregisterHotKey();
        return;
    }
    bool isNumber = false;
    const int code = m_userDefaults.value(NEW_EVENT_HOT_KEY_CODE).toInt(&isNumber);
    m_hotKeyController.setNewEventCode(isNumber ? code : -1);
    m_hotKeyController.setNewEventModifiers(m_userDefaults.value(NEW_EVENT_HOT_KEY_FLAGS).toUInt());
}
