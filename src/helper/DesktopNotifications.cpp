#include "DesktopNotifications.h"

#include "base/Logger.h"

#include <QDBusMessage>
#include <QDBusPendingCallWatcher>
#include <QDBusPendingReply>

#include <utility>

namespace {

const QString INTERFACE = QStringLiteral("org.freedesktop.Notifications");
constexpr int SERVER_CHOOSES_TIMEOUT = -1;

} // namespace

DesktopNotifications::DesktopNotifications(QDBusConnection bus, QObject* parent)
    : QObject(parent), m_bus(std::move(bus)) {
    m_bus.connect(SERVICE, PATH, INTERFACE, QStringLiteral("ActionInvoked"), this,
                  SLOT(onActionInvoked(uint, QString)));
    m_bus.connect(SERVICE, PATH, INTERFACE, QStringLiteral("NotificationClosed"), this,
                  SLOT(onNotificationClosed(uint, uint)));
}

void DesktopNotifications::show(quint64 tag, const QString& summary, const QString& body,
                                const QStringList& actions, const QVariantMap& hints) {
    const auto sendWith = [=, this](bool markup) {
        send(tag, summary, markup ? body.toHtmlEscaped() : body, actions, hints);
    };
    if (m_bodyMarkup) {
        sendWith(*m_bodyMarkup);
        return;
    }
    m_waiting.append(sendWith);
    if (m_waiting.size() == 1)
        askCapabilities();
}

void DesktopNotifications::askCapabilities() {
    const QDBusMessage call =
        QDBusMessage::createMethodCall(SERVICE, PATH, INTERFACE, QStringLiteral("GetCapabilities"));
    auto* watcher = new QDBusPendingCallWatcher(m_bus.asyncCall(call), this);
    connect(watcher, &QDBusPendingCallWatcher::finished, this, [this](QDBusPendingCallWatcher* done) {
        done->deleteLater();
        const QDBusPendingReply<QStringList> reply = *done;
        // Without an answer markup is assumed, which at worst shows an escaped character as its code;
        // the next notification asks again.
        const bool markup = reply.isError() || reply.value().contains(QLatin1String("body-markup"));
        if (!reply.isError())
            m_bodyMarkup = markup;
        for (const auto& waiting : std::exchange(m_waiting, {}))
            waiting(markup);
    });
}

void DesktopNotifications::send(quint64 tag, const QString& summary, const QString& body,
                                const QStringList& actions, const QVariantMap& hints) {
    QDBusMessage call = QDBusMessage::createMethodCall(SERVICE, PATH, INTERFACE, QStringLiteral("Notify"));
    call << QStringLiteral("Verdalune") << uint(0) << QStringLiteral("com.pellowick.verdalune") << summary
         << body << actions << hints << SERVER_CHOOSES_TIMEOUT;
    auto* watcher = new QDBusPendingCallWatcher(m_bus.asyncCall(call), this);
    connect(watcher, &QDBusPendingCallWatcher::finished, this,
            [this, tag, summary](QDBusPendingCallWatcher* done) {
                done->deleteLater();
                const QDBusPendingReply<uint> reply = *done;
                if (reply.isError()) {
                    VL_LOG(LOTHER, Logger::LOG_ERROR_LEVEL,
                           QStringLiteral("the notification \"%1\" could not be shown: %2")
                               .arg(summary, reply.error().message()));
                    emit closed(tag);
                    return;
                }
                m_tags.insert(reply.value(), tag);
            });
}

void DesktopNotifications::onActionInvoked(uint id, const QString& action) {
    if (const auto found = m_tags.constFind(id); found != m_tags.cend())
        emit actionInvoked(*found, action);
}

void DesktopNotifications::onNotificationClosed(uint id, uint) {
    if (m_tags.contains(id))
        emit closed(m_tags.take(id));
}
