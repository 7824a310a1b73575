// notification_server_stand_in RECORD_FILE: owns the notification server's name on the session bus
// until killed; exits with 1 when the name is taken.
#include "NotificationServerStandIn.h"

#include <QCoreApplication>
#include <QDBusConnection>

#include <cstdio>

int main(int argc, char** argv) {
    QCoreApplication application(argc, argv);
    if (argc != 2) {
        std::fputs("usage: notification_server_stand_in RECORD_FILE\n", stderr);
        return 2;
    }
    NotificationServerStandIn server(QString::fromLocal8Bit(argv[1]));
    QDBusConnection bus = QDBusConnection::sessionBus();
    if (!bus.registerObject(QStringLiteral("/org/freedesktop/Notifications"), &server,
                            QDBusConnection::ExportScriptableSlots |
                                QDBusConnection::ExportScriptableSignals) ||
        !bus.registerService(QStringLiteral("org.freedesktop.Notifications")))
        return 1;
    return application.exec();
}
