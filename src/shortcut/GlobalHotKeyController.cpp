#include "GlobalHotKeyController.h"

#include "HotKeyModifiers.h"
#include "PTHotKey.h"
#include "PTHotKeyCenter.h"
#include "base/Logger.h"

GlobalHotKeyController::GlobalHotKeyController(QObject* parent)
    : GlobalHotKeyController(PTHotKeyCenter::sharedCenter(), parent) {}

GlobalHotKeyController::GlobalHotKeyController(PTHotKeyCenter& hotKeyCenter, QObject* parent)
    : QObject(parent), m_hotKeyCenter(hotKeyCenter) {
    connect(&m_hotKeyCenter, &PTHotKeyCenter::registrationRefused, this,
            &GlobalHotKeyController::hotKeyRefused);
}

GlobalHotKeyController::~GlobalHotKeyController() {
    unregisterHotKey();
}

void GlobalHotKeyController::setNewEventCode(int code) {
    const bool changed = code != m_newEventCode;
    m_newEventCode = code;
    registerHotKey();
    if (changed)
        emit newEventCodeChanged();
}

void GlobalHotKeyController::setNewEventModifiers(uint modifiers) {
    const bool changed = modifiers != m_newEventModifiers;
    m_newEventModifiers = modifiers;
    registerHotKey();
    if (changed)
        emit newEventModifiersChanged();
}

void GlobalHotKeyController::registerHotKey() {
    registerHotKeyWithKeyCode(m_newEventCode, m_newEventModifiers);
}

void GlobalHotKeyController::unregisterHotKey() {
    if (!m_newEventHotKey)
        return;
    m_hotKeyCenter.unregisterHotKey(*m_newEventHotKey);
    m_newEventHotKey.reset();
}

void GlobalHotKeyController::registerHotKeyWithKeyCode(int keyCode, uint desktopModifiers) {
    unregisterHotKey();
    if (keyCode == -1 || desktopModifiers == 0) {
        setRegistrationError({});
        return;
    }
    auto hotKey = std::make_unique<PTHotKey>(
        NEW_EVENT_IDENTIFIER, PTKeyCombo(keyCode, HotKeyModifiers::fromDesktopFlags(desktopModifiers)));
    hotKey->setName(tr("New Event"));
    hotKey->setAction([this](PTHotKey& pressed) { hotKeyAction(pressed); });
    // A refused combination is not kept: the preferences show why, and the user picks another.
    const bool registered = m_hotKeyCenter.registerHotKey(*hotKey);
    setRegistrationError(hotKey->registrationError());
    if (registered)
        m_newEventHotKey = std::move(hotKey);
}

void GlobalHotKeyController::hotKeyAction(PTHotKey& hotKey) {
    VL_LOG(LACTIONS, Logger::LOG_INFO_LEVEL, QStringLiteral("global hot key %1").arg(hotKey.identifier()));
    emit didPressGlobalHotKey(&hotKey);
}

bool GlobalHotKeyController::isShortcutAvailable() const {
    return m_hotKeyCenter.isAvailable();
}

QString GlobalHotKeyController::unavailableReason() const {
    return m_hotKeyCenter.unavailableReason();
}

void GlobalHotKeyController::setRegistrationError(const QString& error) {
    if (error == m_registrationError)
        return;
    m_registrationError = error;
    emit registrationErrorChanged();
}

void GlobalHotKeyController::hotKeyRefused(PTHotKey* hotKey) {
    if (hotKey != m_newEventHotKey.get())
        return;
    setRegistrationError(hotKey->registrationError());
    m_newEventHotKey.reset();
}
