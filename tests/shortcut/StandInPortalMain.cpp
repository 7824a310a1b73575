#include "StandInPortal.h"

#include <QCoreApplication>

#include <cstdio>

// stand_in_portal [--refuse]: serves until killed; prints "ready" once it owns the portal's name.
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
