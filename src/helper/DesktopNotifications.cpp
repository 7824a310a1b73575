#include "DesktopNotifications.h"

#include "base/Logger.h"

#include <QDBusPendingCallWatcher>
#include <QDBusPendingReply>
#include <QTimer>

#include <utility>

namespace {

const QString INTERFACE = QStringLiteral("org.freedesktop.Notifications");
// Reminders stay until the user acts on them, on servers that let them.
constexpr int NEVER_EXPIRES = 0;

} // namespace

DesktopNotifications::DesktopNotifications(QDBusConnection bus, QObject* parent)
    : QObject(parent), m_bus(std::move(bus)) {
    // From any sender: naming the service would have the bus asked, and waited for, who owns it.
    m_bus.connect(QString(), PATH, INTERFACE, QStringLiteral("ActionInvoked"), this,
                  SLOT(onActionInvoked(uint, QString, QDBusMessage)));
    m_bus.connect(QString(), PATH, INTERFACE, QStringLiteral("NotificationClosed"), this,
                  SLOT(onNotificationClosed(uint, uint, QDBusMessage)));
}

void DesktopNotifications::show(quint64 tag, const QString& summary, const QString& body,
                                const QStringList& actions, const QVariantMap& hints) {
    m_queue.enqueue(Request{tag, summary, body, actions, hints});
    sendQueued();
}

void DesktopNotifications::close(quint64 tag) {
    for (auto shown = m_shown.cbegin(); shown != m_shown.cend(); ++shown) {
        if (shown->tag != tag)
            continue;
        QDBusMessage call =
            QDBusMessage::createMethodCall(SERVICE, PATH, INTERFACE, QStringLiteral("CloseNotification"));
        call << shown.key();
        m_bus.asyncCall(call, int(m_callTimeout.count()));
        return;
    }
}

void DesktopNotifications::setPatience(std::chrono::milliseconds callTimeout,
                                       std::chrono::milliseconds retryDelay) {
    m_callTimeout = callTimeout;
    m_retryDelay = retryDelay;
}

void DesktopNotifications::sendQueued() {
    if (m_queue.isEmpty())
        return;
    if (m_bodyMarkup)
        sendQueued(*m_bodyMarkup);
    else
        askCapabilities();
}

void DesktopNotifications::sendQueued(bool markup) {
    while (m_inFlight < MOST_CALLS_IN_FLIGHT && !m_queue.isEmpty())
        send(m_queue.dequeue(), markup);
}

void DesktopNotifications::askCapabilities() {
    if (std::exchange(m_askingCapabilities, true))
        return;
    const QDBusMessage call =
        QDBusMessage::createMethodCall(SERVICE, PATH, INTERFACE, QStringLiteral("GetCapabilities"));
    auto* watcher = new QDBusPendingCallWatcher(m_bus.asyncCall(call, int(m_callTimeout.count())), this);
    connect(watcher, &QDBusPendingCallWatcher::finished, this, [this](QDBusPendingCallWatcher* done) {
        done->deleteLater();
        m_askingCapabilities = false;
        const QDBusPendingReply<QStringList> reply = *done;
        // Without an answer markup is assumed, which at worst shows an escaped character as its code;
        // the next notification asks again.
        const bool markup = reply.isError() || reply.value().contains(QLatin1String("body-markup"));
        if (!reply.isError())
            m_bodyMarkup = markup;
        sendQueued(markup);
    });
}

void DesktopNotifications::send(Request request, bool markup) {
    QDBusMessage call = QDBusMessage::createMethodCall(SERVICE, PATH, INTERFACE, QStringLiteral("Notify"));
    call << QStringLiteral("Verdalune") << uint(0) << QStringLiteral("com.pellowick.verdalune")
         << request.summary << (markup ? request.body.toHtmlEscaped() : request.body) << request.actions
         << request.hints << NEVER_EXPIRES;
    ++m_inFlight;
    ++request.attempts;
    auto* watcher = new QDBusPendingCallWatcher(m_bus.asyncCall(call, int(m_callTimeout.count())), this);
    connect(watcher, &QDBusPendingCallWatcher::finished, this,
            [this, request = std::move(request)](QDBusPendingCallWatcher* done) {
                onNotifyFinished(request, done);
            });
}

void DesktopNotifications::onNotifyFinished(Request request, QDBusPendingCallWatcher* done) {
    done->deleteLater();
    --m_inFlight;
    const QDBusPendingReply<uint> reply = *done;
    if (!reply.isError()) {
        m_shown.insert(reply.value(), Shown{request.tag, reply.reply().service()});
    } else if (request.attempts < MOST_ATTEMPTS) {
        QTimer::singleShot(m_retryDelay, this, [this, request = std::move(request)] {
            m_queue.enqueue(request);
            sendQueued();
        });
    } else {
        VL_LOG(LOTHER, Logger::LOG_ERROR_LEVEL,
               QStringLiteral("the notification \"%1\" could not be shown after %2 tries: %3")
                   .arg(request.summary, QString::number(request.attempts), reply.error().message()));
        emit closed(request.tag);
    }
    sendQueued();
}

std::optional<quint64> DesktopNotifications::tagOf(uint id, const QDBusMessage& signal) const {
    const auto found = m_shown.constFind(id);
    if (found == m_shown.cend() || found->server != signal.service())
        return std::nullopt;
    return found->tag;
}

void DesktopNotifications::onActionInvoked(uint id, const QString& action, const QDBusMessage& signal) {
    if (const std::optional<quint64> tag = tagOf(id, signal))
        emit actionInvoked(*tag, action);
}

void DesktopNotifications::onNotificationClosed(uint id, uint, const QDBusMessage& signal) {
    if (const std::optional<quint64> tag = tagOf(id, signal)) {
        m_shown.remove(id);
        emit closed(*tag);
    }
}
