#pragma once

#include <QDBusConnection>
#include <QHash>
#include <QList>
#include <QObject>
#include <QString>
#include <QStringList>
#include <QVariantMap>

#include <functional>
#include <optional>

// Shows notifications through the desktop's notification server (org.freedesktop.Notifications on the
// session bus) and reports what the user did with them. Callers name each notification by a tag of
// their own; the server's ids stay in here. Calls do not wait for the server, which may be slow or
// missing: then the notification is logged as lost.
//
// Texts are plain: a server that reads markup in the body gets it escaped, so that an event's or a
// calendar's text cannot format the notification or make the server fetch images. The server is asked
// once, before the first notification.
class DesktopNotifications : public QObject {
    Q_OBJECT
public:
    static inline const QString SERVICE = QStringLiteral("org.freedesktop.Notifications");
    static inline const QString PATH = QStringLiteral("/org/freedesktop/Notifications");

    explicit DesktopNotifications(QDBusConnection bus = QDBusConnection::sessionBus(),
                                  QObject* parent = nullptr);

    // `actions` alternates keys and their labels, as the server takes them.
    void show(quint64 tag, const QString& summary, const QString& body, const QStringList& actions,
              const QVariantMap& hints = {});

signals:
    void actionInvoked(quint64 tag, const QString& action);
    // Closed by the user or the server, or never shown.
    void closed(quint64 tag);

private slots:
    void onActionInvoked(uint id, const QString& action);
    void onNotificationClosed(uint id, uint reason);

private:
    void askCapabilities();
    void send(quint64 tag, const QString& summary, const QString& body, const QStringList& actions,
              const QVariantMap& hints);

    QDBusConnection m_bus;
    std::optional<bool> m_bodyMarkup;                  // unknown until the server answers
    QList<std::function<void(bool markup)>> m_waiting; // notifications shown before it did
    QHash<uint, quint64> m_tags;                       // by the server's id, while shown
};
