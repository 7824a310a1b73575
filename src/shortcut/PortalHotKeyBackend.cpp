#include "PortalHotKeyBackend.h"

#include "HotKeyModifiers.h"
#include "PTHotKey.h"
#include "PTKeyCodeTranslator.h"
#include "PortalShortcut.h"

#include <QDBusMessage>
#include <QDBusObjectPath>
#include <QDBusPendingCallWatcher>
#include <QStringList>

#include <array>
#include <utility>

namespace {
const QString portalService = QStringLiteral("org.freedesktop.portal.Desktop");
const QString portalPath = QStringLiteral("/org/freedesktop/portal/desktop");
const QString shortcutsInterface = QStringLiteral("org.freedesktop.portal.GlobalShortcuts");
const QString requestInterface = QStringLiteral("org.freedesktop.portal.Request");
const QString responseSignal = QStringLiteral("Response");

// The trigger in the portal's notation, e.g. "CTRL+LOGO+n"; the user may still choose another.
QString preferredTrigger(const PTKeyCombo& combo) {
    const std::array<std::pair<int, const char*>, 4> names{{
        {HotKeyModifiers::CONTROL, "CTRL"},
        {HotKeyModifiers::OPTION, "ALT"},
        {HotKeyModifiers::SHIFT, "SHIFT"},
        {HotKeyModifiers::COMMAND, "LOGO"},
    }};
    QStringList parts;
    for (const auto& [flag, name] : names) {
        if (combo.modifiers() & flag)
            parts << QLatin1String(name);
    }
    parts << PTKeyCodeTranslator::currentTranslator()->keySymbolName(combo.keyCode());
    return parts.join(QLatin1Char('+'));
}

QString sessionHandle(const QVariant& value) {
    return value.metaType() == QMetaType::fromType<QDBusObjectPath>() ? value.value<QDBusObjectPath>().path()
                                                                      : value.toString();
}
} // namespace

PortalHotKeyBackend::PortalHotKeyBackend(const QDBusConnection& bus, QObject* parent)
    : HotKeyBackend(parent), m_bus(bus) {
    PortalShortcut::registerMetaType();
    QDBusMessage versionQuery = QDBusMessage::createMethodCall(
        portalService, portalPath, QStringLiteral("org.freedesktop.DBus.Properties"), QStringLiteral("Get"));
    versionQuery << shortcutsInterface << QStringLiteral("version");
    m_offered = m_bus.call(versionQuery).type() == QDBusMessage::ReplyMessage;
    if (m_offered) {
        m_bus.connect(portalService, portalPath, shortcutsInterface, QStringLiteral("Activated"), this,
                      SLOT(activated(QDBusMessage)));
    }
}

QString PortalHotKeyBackend::unavailableReason() const {
    if (m_offered)
        return {};
    return tr("This Wayland desktop does not let programs have global shortcuts.");
}

std::optional<QString> PortalHotKeyBackend::registerHotKey(quint32 id, const PTHotKey& hotKey) {
    if (!m_offered)
        return unavailableReason();
    const QString description = hotKey.name().isEmpty() ? hotKey.identifier() : hotKey.name();
    m_registrations.insert(id, {hotKey.identifier(), description, preferredTrigger(hotKey.keyCombo()), {}});

    QVariantMap options = requestOptions(id, Step::CreateSession);
    options.insert(QStringLiteral("session_handle_token"), QStringLiteral("verdalune%1").arg(id));
    QDBusMessage call = QDBusMessage::createMethodCall(portalService, portalPath, shortcutsInterface,
                                                       QStringLiteral("CreateSession"));
    call << options;
    callPortal(call, id);
    return std::nullopt;
}

void PortalHotKeyBackend::unregisterHotKey(quint32 id) {
    const Registration registration = m_registrations.take(id);
    if (!registration.sessionHandle.isEmpty())
        closeSession(registration.sessionHandle);
}

QVariantMap PortalHotKeyBackend::requestOptions(quint32 id, Step step) {
    // The request's object path follows from our bus name and the token, so its answer can be listened
    // for before the call, and cannot slip past.
    const QString token = QStringLiteral("verdalune%1").arg(++m_requestCount);
    const QString sender = m_bus.baseService().mid(1).replace(QLatin1Char('.'), QLatin1Char('_'));
    const QString path = QStringLiteral("/org/freedesktop/portal/desktop/request/%1/%2").arg(sender, token);
    m_bus.connect(portalService, path, requestInterface, responseSignal, this,
                  SLOT(requestAnswered(QDBusMessage)));
    m_pendingRequests.insert(path, {id, step});
    return {{QStringLiteral("handle_token"), token}};
}

void PortalHotKeyBackend::callPortal(const QDBusMessage& call, quint32 id) {
    auto* watcher = new QDBusPendingCallWatcher(m_bus.asyncCall(call), this);
    connect(watcher, &QDBusPendingCallWatcher::finished, this, [this, id](QDBusPendingCallWatcher* finished) {
        finished->deleteLater();
        if (finished->isError() && m_registrations.contains(id))
            refuse(id, tr("The desktop refused the shortcut: %1").arg(finished->error().message()));
    });
}

void PortalHotKeyBackend::requestAnswered(const QDBusMessage& response) {
    const auto found = m_pendingRequests.constFind(response.path());
    if (found == m_pendingRequests.cend())
        return;
    const PendingRequest request = *found;
    m_pendingRequests.erase(found);
    m_bus.disconnect(portalService, response.path(), requestInterface, responseSignal, this,
                     SLOT(requestAnswered(QDBusMessage)));

    const bool granted = response.arguments().value(0).toUInt() == 0;
    const auto results = qdbus_cast<QVariantMap>(response.arguments().value(1));
    const QString session = sessionHandle(results.value(QStringLiteral("session_handle")));
    if (!m_registrations.contains(request.id)) {
        // Unregistered while the portal was still answering.
        if (granted && request.step == Step::CreateSession)
            closeSession(session);
        return;
    }
    if (!granted) {
        refuse(request.id, tr("The desktop did not allow the shortcut."));
        return;
    }
    if (request.step == Step::CreateSession)
        bindShortcut(request.id, session);
}

void PortalHotKeyBackend::activated(const QDBusMessage& signal) {
    const QString session = signal.arguments().value(0).value<QDBusObjectPath>().path();
    const QString shortcut = signal.arguments().value(1).toString();
    for (auto registration = m_registrations.cbegin(); registration != m_registrations.cend();
         ++registration) {
        if (registration->sessionHandle == session && registration->identifier == shortcut) {
            emit pressed(registration.key());
            return;
        }
    }
}

void PortalHotKeyBackend::bindShortcut(quint32 id, const QString& session) {
    Registration& registration = m_registrations[id];
    registration.sessionHandle = session;
    const QList<PortalShortcut> shortcuts{{registration.identifier,
                                           {{QStringLiteral("description"), registration.description},
                                            {QStringLiteral("preferred_trigger"), registration.trigger}}}};
    QDBusMessage call = QDBusMessage::createMethodCall(portalService, portalPath, shortcutsInterface,
                                                       QStringLiteral("BindShortcuts"));
    call << QVariant::fromValue(QDBusObjectPath(session)) << QVariant::fromValue(shortcuts) << QString()
         << requestOptions(id, Step::BindShortcuts);
    callPortal(call, id);
}

void PortalHotKeyBackend::refuse(quint32 id, const QString& reason) {
    unregisterHotKey(id);
    emit refused(id, reason);
}

void PortalHotKeyBackend::closeSession(const QString& session) {
    m_bus.send(QDBusMessage::createMethodCall(
        portalService, session, QStringLiteral("org.freedesktop.portal.Session"), QStringLiteral("Close")));
}
