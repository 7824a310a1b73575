#pragma once

#include <QDBusConnection>
#include <QObject>
#include <QString>

// Notifications between the main program and the helper: a signal on the session bus that carries only
// the notification's name and reaches every process of the user that listens.
class DistributedNotificationCenter : public QObject {
    Q_OBJECT
public:
    static inline const QString PATH = QStringLiteral("/com/pellowick/DistributedNotifications");
    static inline const QString INTERFACE = QStringLiteral("com.pellowick.DistributedNotifications");

    explicit DistributedNotificationCenter(QDBusConnection connection = QDBusConnection::sessionBus(),
                                           QObject* parent = nullptr);

    // False when there is no session bus to carry it.
    bool postNotificationName(const QString& name);

signals:
    // Every notification posted by any process, this one included.
    void notificationPosted(const QString& name);

private slots:
    void receive(const QString& name);

private:
    QDBusConnection m_connection;
};
