// stand_in_portal [--refuse]: serves until killed; prints "ready" once it owns the portal's name.
#include "shortcut/PortalShortcut.h"

#include <QCoreApplication>
#include <QDBusConnection>
#include <QDBusMessage>
#include <QDBusObjectPath>
#include <QDBusVariant>
#include <QDBusVirtualObject>
#include <QString>
#include <QTimer>

#include <cstdio>

namespace {
const QString shortcutsInterface = QStringLiteral("org.freedesktop.portal.GlobalShortcuts");
constexpr uint cancelled = 1;
} // namespace

// The few calls of the desktop portal's global shortcuts that the program makes, each written as a line
// to standard output for the test to read: "CreateSession", "BindShortcuts <id> <trigger>",
// "Close <session>". A test asks it, through the method Activate(s) of "com.pellowick.StandInPortal", to
// report a press of a bound shortcut.
class StandInPortal : public QDBusVirtualObject {
    Q_OBJECT
public:
    // With `refuseBinding`, every binding is answered as cancelled by the user.
    StandInPortal(const QDBusConnection& bus, bool refuseBinding)
        : m_bus(bus), m_refuseBinding(refuseBinding) {
        PortalShortcut::registerMetaType();
    }

    QString introspect(const QString&) const override { return {}; }
    bool handleMessage(const QDBusMessage& message, const QDBusConnection& connection) override {
        const QList<QVariant> arguments = message.arguments();
        const QString member = message.member();
        if (member == QLatin1String("Get") && arguments.value(0).toString() == shortcutsInterface) {
            connection.send(message.createReply(QVariant::fromValue(QDBusVariant(1u))));
        } else if (member == QLatin1String("CreateSession")) {
            record(QStringLiteral("CreateSession"));
            const auto options = qdbus_cast<QVariantMap>(arguments.value(0));
            const QString session =
                objectPath(QStringLiteral("session"), message,
                           options.value(QStringLiteral("session_handle_token")).toString());
            connection.send(message.createReply(QVariant::fromValue(
                answerLater(message, options, 0, {{QStringLiteral("session_handle"), session}}))));
        } else if (member == QLatin1String("BindShortcuts")) {
            const auto shortcuts = qdbus_cast<QList<PortalShortcut>>(arguments.value(1));
            for (const PortalShortcut& shortcut : shortcuts) {
                record(QStringLiteral("BindShortcuts %1 %2")
                           .arg(shortcut.id,
                                shortcut.properties.value(QStringLiteral("preferred_trigger")).toString()));
            }
            m_boundSession = arguments.value(0).value<QDBusObjectPath>().path();
            const auto options = qdbus_cast<QVariantMap>(arguments.value(3));
            connection.send(message.createReply(
                QVariant::fromValue(answerLater(message, options, m_refuseBinding ? cancelled : 0, {}))));
        } else if (member == QLatin1String("Close")) {
            record(QStringLiteral("Close %1").arg(message.path()));
            connection.send(message.createReply());
        } else if (member == QLatin1String("Activate")) {
            QDBusMessage activated =
                QDBusMessage::createSignal(QStringLiteral("/org/freedesktop/portal/desktop"),
                                           shortcutsInterface, QStringLiteral("Activated"));
            activated << QVariant::fromValue(QDBusObjectPath(m_boundSession)) << arguments.value(0).toString()
                      << qulonglong(0) << QVariantMap();
            connection.send(activated);
            connection.send(message.createReply());
        } else {
            return false;
        }
        return true;
    }

private:
    // The path a request or session of the caller with the given token has.
    static QString objectPath(const QString& kind, const QDBusMessage& message, const QString& token) {
        const QString sender = message.service().mid(1).replace(QLatin1Char('.'), QLatin1Char('_'));
        return QStringLiteral("/org/freedesktop/portal/desktop/%1/%2/%3").arg(kind, sender, token);
    }
    QDBusObjectPath answerLater(const QDBusMessage& message, const QVariantMap& options, uint response,
                                const QVariantMap& results) {
        // As the real portal does, the answer comes after the call has returned the request's path.
        const QString request = objectPath(QStringLiteral("request"), message,
                                           options.value(QStringLiteral("handle_token")).toString());
        QTimer::singleShot(0, this, [this, request, response, results] {
            QDBusMessage answer = QDBusMessage::createSignal(
                request, QStringLiteral("org.freedesktop.portal.Request"), QStringLiteral("Response"));
            answer << response << results;
            m_bus.send(answer);
        });
        return QDBusObjectPath(request);
    }
    static void record(const QString& line) {
        std::printf("%s\n", qPrintable(line));
        std::fflush(stdout);
    }

    QDBusConnection m_bus;
    bool m_refuseBinding;
    QString m_boundSession;
};

int main(int argc, char** argv) {
    QCoreApplication application(argc, argv);
    QDBusConnection bus = QDBusConnection::sessionBus();
    StandInPortal portal(bus, application.arguments().contains(QStringLiteral("--refuse")));
    if (!bus.registerVirtualObject(QStringLiteral("/org/freedesktop/portal/desktop"), &portal,
                                   QDBusConnection::SubPath) ||
        !bus.registerService(QStringLiteral("org.freedesktop.portal.Desktop")))
        return 1;
    std::printf("ready\n");
    std::fflush(stdout);
    return application.exec();
}

#include "StandInPortal.moc"
