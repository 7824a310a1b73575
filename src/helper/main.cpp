// VerdaluneHelper: the global new-event shortcut while Verdalune is closed, and the alarms.
#include "TerminationSignalSource.h"
#include "VelHelperApplicationDelegate.h"
#include "app/ApplicationDefaults.h"
#include "base/Logger.h"
#include "base/UserDefaults.h"
#include "shortcut/HelperController.h"
#include "store/vdir/CalendarStoreLocation.h"

#include <QApplication>
#include <QDBusConnection>
#include <QDBusConnectionInterface>
#include <QStandardPaths>

int main(int argc, char** argv) {
    QApplication application(argc, argv);
    TerminationSignalSource termination;
    QObject::connect(&termination, &TerminationSignalSource::terminationRequested, &application,
                     &QApplication::quit, Qt::QueuedConnection);
    QApplication::setOrganizationName(QStringLiteral("pellowick"));
    QApplication::setApplicationName(QStringLiteral("verdalunehelper"));
    QApplication::setApplicationDisplayName(QStringLiteral("Verdalune"));
    QGuiApplication::setDesktopFileName(HelperController::HELPER_BUNDLE_IDENTIFIER);
    // The editor closing is no reason to stop.
    QApplication::setQuitOnLastWindowClosed(false);

    // One helper per session.
    QDBusConnectionInterface* bus = QDBusConnection::sessionBus().interface();
    if (!bus) {
        VL_LOG(LOTHER, Logger::LOG_ERROR_LEVEL, QStringLiteral("no session bus: the helper cannot run"));
        return 1;
    }
    if (bus->isServiceRegistered(HelperController::HELPER_BUNDLE_IDENTIFIER).value())
        return 0;

    // The main program's settings, with its defaults for what the user never changed.
    UserDefaults mainDefaults;
    mainDefaults.registerDefaults(ApplicationDefaults::registeredDefaults());
    UserDefaults ownDefaults(QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation) +
                             QStringLiteral("/pellowick/verdalunehelper.conf"));
    if (mainDefaults.contains(QStringLiteral("loggers")) &&
        !Logger::restoreFromUserDefaults(mainDefaults.value(QStringLiteral("loggers"))))
        VL_LOG(LOTHER, Logger::LOG_ERROR_LEVEL, QStringLiteral("Failed to initialize logging"));
    const QString root = CalendarStoreLocation::rootDirectory(
        mainDefaults.value(QStringLiteral("calendarStoreDirectory")).toString());
    if (!CalendarStoreLocation::prepare(root)) {
        VL_LOG(LOTHER, Logger::LOG_ERROR_LEVEL,
               QStringLiteral("The calendar folder %1 cannot be created.").arg(root));
        return 1;
    }

    VelHelperApplicationDelegate delegate(mainDefaults, ownDefaults, root);
    QObject::connect(&delegate, &VelHelperApplicationDelegate::exitRequested, &application,
                     &QApplication::quit, Qt::QueuedConnection);
    delegate.applicationDidFinishLaunching();
    // Taken once the helper listens, since the main program reads it as "the helper runs and hears".
    const auto claim = bus->registerService(HelperController::HELPER_BUNDLE_IDENTIFIER,
                                            QDBusConnectionInterface::DontQueueService,
                                            QDBusConnectionInterface::DontAllowReplacement);
    if (!claim.isValid() || claim.value() != QDBusConnectionInterface::ServiceRegistered)
        return 0;
    const int status = QApplication::exec();
    ownDefaults.synchronize();
    return status;
}
