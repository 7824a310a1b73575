#include "PTHotKeyCenter.h"

#include "PTHotKey.h"
#include "PortalHotKeyBackend.h"
#include "X11HotKeyBackend.h"
#include "base/InternalInconsistency.h"
#include "base/Logger.h"

#include <QCoreApplication>
#include <QDBusConnection>
#include <QPointer>

PTHotKeyCenter::PTHotKeyCenter(std::unique_ptr<HotKeyBackend> backend, QObject* parent)
    : QObject(parent), m_backend(std::move(backend)) {
    connect(m_backend.get(), &HotKeyBackend::pressed, this, &PTHotKeyCenter::hotKeyPressed);
    connect(m_backend.get(), &HotKeyBackend::refused, this, &PTHotKeyCenter::hotKeyRefused);
    if (!isAvailable())
        VL_LOG(LOTHER, Logger::LOG_WARNING_LEVEL,
               QStringLiteral("no global shortcuts: %1").arg(unavailableReason()));
}

PTHotKeyCenter::~PTHotKeyCenter() = default;

PTHotKeyCenter& PTHotKeyCenter::sharedCenter() {
    static QPointer<PTHotKeyCenter> shared;
    if (!shared)
        shared = new PTHotKeyCenter(desktopBackend(), QCoreApplication::instance());
    return *shared;
}

std::unique_ptr<HotKeyBackend> PTHotKeyCenter::desktopBackend() {
    // Under Wayland an X grab through Xwayland sees keys only while an X window has the focus, so only the
    // portal can give a global shortcut there.
    const bool wayland = qEnvironmentVariable("XDG_SESSION_TYPE") == QLatin1String("wayland") ||
                         qEnvironmentVariableIsSet("WAYLAND_DISPLAY");
    if (wayland)
        return std::make_unique<PortalHotKeyBackend>(QDBusConnection::sessionBus());
    return std::make_unique<X11HotKeyBackend>();
}

bool PTHotKeyCenter::registerHotKey(PTHotKey& hotKey) {
    if (m_hotKeys.contains(hotKey.hotKeyID()))
        unregisterHotKey(hotKey);
    hotKey.setRegistrationError({});
    if (!hotKey.keyCombo().isValidHotKeyCombo())
        return true;

    const quint32 id = ++m_hotKeyCount;
    if (const std::optional<QString> refusal = m_backend->registerHotKey(id, hotKey)) {
        hotKey.setRegistrationError(*refusal);
        VL_LOG(LOTHER, Logger::LOG_WARNING_LEVEL,
               QStringLiteral("hot key %1 (%2) not registered: %3")
                   .arg(hotKey.identifier(), hotKey.keyCombo().description(), *refusal));
        return false;
    }
    hotKey.setHotKeyID(id);
    m_hotKeys.emplace(id, &hotKey);
    return true;
}

void PTHotKeyCenter::unregisterHotKey(PTHotKey& hotKey) {
    const auto found = m_hotKeys.find(hotKey.hotKeyID());
    if (found == m_hotKeys.end() || found->second != &hotKey)
        return;
    m_backend->unregisterHotKey(found->first);
    m_hotKeys.erase(found);
    hotKey.setHotKeyID(0);
}

QList<PTHotKey*> PTHotKeyCenter::allHotKeys() const {
    QList<PTHotKey*> hotKeys;
    for (const auto& [id, hotKey] : m_hotKeys)
        hotKeys << hotKey;
    return hotKeys;
}

PTHotKey* PTHotKeyCenter::hotKeyWithIdentifier(const QString& identifier) const {
    for (const auto& [id, hotKey] : m_hotKeys) {
        if (hotKey->identifier() == identifier)
            return hotKey;
    }
    return nullptr;
}

void PTHotKeyCenter::hotKeyPressed(quint32 id) {
    VL_ASSERT(id != 0, QStringLiteral("Invalid hot key id"));
    // A press may still arrive for a hot key unregistered a moment ago.
    if (const auto found = m_hotKeys.find(id); found != m_hotKeys.end())
        found->second->invoke();
}

void PTHotKeyCenter::hotKeyRefused(quint32 id, const QString& reason) {
    const auto found = m_hotKeys.find(id);
    if (found == m_hotKeys.end())
        return;
    PTHotKey* hotKey = found->second;
    m_hotKeys.erase(found);
    hotKey->setHotKeyID(0);
    hotKey->setRegistrationError(reason);
    VL_LOG(LOTHER, Logger::LOG_WARNING_LEVEL,
           QStringLiteral("hot key %1 refused by the desktop: %2").arg(hotKey->identifier(), reason));
    emit registrationRefused(hotKey);
}
