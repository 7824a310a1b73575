// notification_server_stand_in RECORD_FILE [REFUSED [UNANSWERED]]: owns the notification server's name
// on the session bus until killed; exits with 1 when the name is taken. The first REFUSED notifications
// get an error, the UNANSWERED after them no answer.
#include "NotificationServerStandIn.h"

#include <QCoreApplication>
#include <QDBusConnection>

#include <cstdio>
#include <cstdlib>

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
