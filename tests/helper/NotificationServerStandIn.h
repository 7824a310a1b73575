#pragma once

#include <QDBusConnection>
#include <QDBusContext>
#include <QObject>
#include <QString>
#include <QStringList>
#include <QVariantMap>

// Stands in for the desktop's notification server in tests: answers the calls a client makes, writes
// each as one JSON line to a file, and emits the user's actions when a test asks with InvokeAction.
// As a swamped server, it refuses the first `refused` notifications and leaves `unanswered` unanswered.
class NotificationServerStandIn : public QObject, protected QDBusContext {
    Q_OBJECT
    Q_CLASSINFO("D-Bus Interface", "org.freedesktop.Notifications")
public:
    explicit NotificationServerStandIn(QString recordFile, int refused = 0, int unanswered = 0,
                                       QObject* parent = nullptr);

public slots:
    Q_SCRIPTABLE uint Notify(const QString& appName, uint replacesId, const QString& appIcon,
                             const QString& summary, const QString& body, const QStringList& actions,
                             const QVariantMap& hints, int expireTimeout);
    Q_SCRIPTABLE void CloseNotification(uint id);
    Q_SCRIPTABLE QStringList GetCapabilities();
    Q_SCRIPTABLE QString GetServerInformation(QString& vendor, QString& version, QString& specVersion);
    // Not the server's: what a click on an action button does, followed by the close that servers send.
    Q_SCRIPTABLE void InvokeAction(uint id, const QString& action);

signals:
    Q_SCRIPTABLE void ActionInvoked(uint id, const QString& actionKey);
    Q_SCRIPTABLE void NotificationClosed(uint id, uint reason);

private:
    void record(const QVariantMap& call) const;

    QString m_recordFile;
    int m_refused;
    int m_unanswered;
    uint m_lastId = 0;
};
