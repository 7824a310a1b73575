// notification_server_stand_in RECORD_FILE [REFUSED [UNANSWERED]]: owns the notification server's name
// on the session bus until killed; exits with 1 when the name is taken. The first REFUSED notifications
// get an error, the UNANSWERED after them no answer.
#include <QCoreApplication>
#include <QDBusConnection>
#include <QDBusContext>
#include <QDateTime>
#include <QFile>
#include <QJsonDocument>
#include <QJsonObject>
#include <QObject>
#include <QSet>
#include <QString>
#include <QStringList>
#include <QVariantMap>

#include <cstdio>
#include <cstdlib>

namespace {

constexpr uint DISMISSED = 2;
constexpr uint CLOSED_BY_CALL = 3;

} // namespace

// Stands in for the desktop's notification server in tests: answers the calls a client makes, writes
// each as one JSON line to a file, and emits the user's actions when a test asks with InvokeAction.
// As a swamped server, it refuses the first `refused` notifications and leaves `unanswered` unanswered.
class NotificationServerStandIn : public QObject, protected QDBusContext {
    Q_OBJECT
    Q_CLASSINFO("D-Bus Interface", "org.freedesktop.Notifications")
public:
    NotificationServerStandIn(QString recordFile, int refused, int unanswered)
        : m_recordFile(std::move(recordFile)), m_refused(refused), m_unanswered(unanswered) {}

public slots:
    Q_SCRIPTABLE uint Notify(const QString& appName, uint replacesId, const QString& appIcon,
                             const QString& summary, const QString& body, const QStringList& actions,
                             const QVariantMap& hints, int expireTimeout) {
        uint id = 0; // for a notification not shown
        if (m_refused-- > 0)
            sendErrorReply(QDBusError::LimitsExceeded, QStringLiteral("too many notifications"));
        else if (m_unanswered-- > 0)
            setDelayedReply(true); // and never replied
        else
            id = replacesId ? replacesId : ++m_lastId;
        if (hints.value(QStringLiteral("resident")).toBool())
            m_resident.insert(id);
        record({{"method", "Notify"},
                {"id", id},
                {"app", appName},
                {"icon", appIcon},
                {"summary", summary},
                {"body", body},
                {"actions", actions},
                {"hints", QStringList(hints.keys())},
                {"timeout", expireTimeout}});
        return id;
    }
    Q_SCRIPTABLE void CloseNotification(uint id) {
        record({{"method", "CloseNotification"}, {"id", id}});
        emit NotificationClosed(id, CLOSED_BY_CALL);
    }
    Q_SCRIPTABLE QStringList GetCapabilities() { return {QStringLiteral("actions"), QStringLiteral("body")}; }
    Q_SCRIPTABLE QString GetServerInformation(QString& vendor, QString& version, QString& specVersion) {
        vendor = QStringLiteral("tests");
        version = QStringLiteral("1");
        specVersion = QStringLiteral("1.2");
        return QStringLiteral("stand-in");
    }
    // Not the server's: what a click on an action button does, followed by the close that servers send
    // unless the notification is resident.
    Q_SCRIPTABLE void InvokeAction(uint id, const QString& action) {
        record({{"method", "InvokeAction"}, {"id", id}, {"action", action}});
        emit ActionInvoked(id, action);
        if (!m_resident.contains(id))
            emit NotificationClosed(id, DISMISSED);
    }

signals:
    Q_SCRIPTABLE void ActionInvoked(uint id, const QString& actionKey);
    Q_SCRIPTABLE void NotificationClosed(uint id, uint reason);

private:
    void record(const QVariantMap& call) const {
        QJsonObject line = QJsonObject::fromVariantMap(call);
        line.insert(QStringLiteral("at"), QDateTime::currentMSecsSinceEpoch());
        QFile file(m_recordFile);
        if (file.open(QIODevice::Append))
            file.write(QJsonDocument(line).toJson(QJsonDocument::Compact) + '\n');
    }

    QString m_recordFile;
    int m_refused;
    int m_unanswered;
    uint m_lastId = 0;
    QSet<uint> m_resident;
};

int main(int argc, char** argv) {
    QCoreApplication application(argc, argv);
    if (argc < 2 || argc > 4) {
        std::fputs("usage: notification_server_stand_in RECORD_FILE [REFUSED [UNANSWERED]]\n", stderr);
        return 2;
    }
    const auto count = [&](int index) { return index < argc ? std::atoi(argv[index]) : 0; };
    NotificationServerStandIn server(QString::fromLocal8Bit(argv[1]), count(2), count(3));
    QDBusConnection bus = QDBusConnection::sessionBus();
    if (!bus.registerObject(QStringLiteral("/org/freedesktop/Notifications"), &server,
                            QDBusConnection::ExportScriptableSlots |
                                QDBusConnection::ExportScriptableSignals) ||
        !bus.registerService(QStringLiteral("org.freedesktop.Notifications")))
        return 1;
    return application.exec();
}

#include "NotificationServerStandIn.moc"
