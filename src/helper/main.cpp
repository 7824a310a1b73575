// VerdaluneHelper: the global new-event shortcut while Verdalune is closed, and the alarms.
#include "HelperInstanceLock.h"
#include "TerminationSignalSource.h"
#include "VelHelperApplicationDelegate.h"
#include "app/ApplicationDefaults.h"
#include "app/DialogButtonIconStyle.h"
#include "app/Translations.h"
#include "base/Logger.h"
#include "base/UserDefaults.h"
#include "base/Version.h"
#include "shortcut/HelperController.h"
#include "store/vdir/CalendarStoreLocation.h"

#include <QApplication>
#include <QDBusConnection>
#include <QDBusConnectionInterface>
#include <QStandardPaths>

#include <cstdio>
#include <optional>
#include <string_view>

namespace {

// Taken at once, to keep a second helper on this bus out before it does anything. The public name comes
// once the helper listens, since the main program reads it as "the helper runs and hears".
const QString INSTANCE_NAME = HelperController::HELPER_BUNDLE_IDENTIFIER + QStringLiteral(".instance");

bool claim(QDBusConnectionInterface& bus, const QString& name) {
    const auto reply = bus.registerService(name, QDBusConnectionInterface::DontQueueService,
                                           QDBusConnectionInterface::DontAllowReplacement);
    return reply.isValid() && reply.value() == QDBusConnectionInterface::ServiceRegistered;
}

// One helper per user: the lock keeps a second one out also while an older helper still runs on a bus
// that was since replaced; the instance name keeps one out on this bus. Whether this helper is the one,
// with the lock it holds (if any) in `lock`.
bool isOnlyHelper(QDBusConnectionInterface& bus, std::optional<HelperInstanceLock>& lock) {
    const QString runtimeFolder = qEnvironmentVariable("XDG_RUNTIME_DIR");
    if (runtimeFolder.isEmpty())
        VL_LOG(LOTHER, Logger::LOG_WARNING_LEVEL,
               QStringLiteral("no XDG_RUNTIME_DIR: only the bus name keeps a second helper from running"));
    else
        lock.emplace(runtimeFolder);
    if (lock && lock->outcome() == HelperInstanceLock::Outcome::HeldByAnother) {
        VL_LOG(LOTHER, Logger::LOG_INFO_LEVEL,
               QStringLiteral("another helper runs for this user (%1 is held)").arg(lock->path()));
        return false;
    }
    if (lock && lock->outcome() == HelperInstanceLock::Outcome::Unusable)
        VL_LOG(LOTHER, Logger::LOG_WARNING_LEVEL,
               QStringLiteral("the helper lock cannot be used, so only the bus name keeps a second helper "
                              "from running: %1")
                   .arg(lock->why()));
    // A helper of an earlier version holds only the public name.
    if (bus.isServiceRegistered(HelperController::HELPER_BUNDLE_IDENTIFIER)) {
        VL_LOG(LOTHER, Logger::LOG_INFO_LEVEL,
               QStringLiteral("%1 is taken: another helper runs")
                   .arg(HelperController::HELPER_BUNDLE_IDENTIFIER));
        return false;
    }
    if (claim(bus, INSTANCE_NAME))
        return true;
    VL_LOG(LOTHER, Logger::LOG_INFO_LEVEL, QStringLiteral("another helper runs on this session bus"));
    return false;
}

// `--help` and `--version` answer before anything is created: no bus name, no lock, no files, no shortcut.
std::optional<int> answerInformationRequest(int argc, char** argv) {
    for (int index = 1; index < argc; ++index) {
        const std::string_view argument = argv[index];
        if (argument == "--help" || argument == "-h") {
            std::fputs("Usage: verdalune-helper [--help] [--version]\n"
                       "Holds Verdalune's global new-event shortcut while the window is closed and delivers "
                       "its alarms.\nVerdalune starts it when the shortcut is kept on; one runs for each "
                       "user.\n",
                       stdout);
            return 0;
        }
        if (argument == "--version" || argument == "-v") {
            std::printf("verdalune-helper %s\n", Version::text);
            return 0;
        }
    }
    return std::nullopt;
}

} // namespace

int main(int argc, char** argv) {
    if (const std::optional<int> status = answerInformationRequest(argc, argv))
        return *status;
    QApplication application(argc, argv);
    Translations::install(application);
    DialogButtonIconStyle::install();
    TerminationSignalSource termination;
    QObject::connect(&termination, &TerminationSignalSource::terminationRequested, &application,
                     &QApplication::quit, Qt::QueuedConnection);
    QApplication::setOrganizationName(QStringLiteral("pellowick"));
    QApplication::setApplicationName(QStringLiteral("verdalunehelper"));
    QApplication::setApplicationDisplayName(QStringLiteral("Verdalune"));
    QGuiApplication::setDesktopFileName(HelperController::HELPER_BUNDLE_IDENTIFIER);
    // The editor closing is no reason to stop.
    QApplication::setQuitOnLastWindowClosed(false);

    // The main program's settings, with its defaults for what the user never changed; its log levels hold
    // from the first line on.
    UserDefaults mainDefaults;
    mainDefaults.registerDefaults(ApplicationDefaults::registeredDefaults());
    UserDefaults ownDefaults(QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation) +
                             QStringLiteral("/pellowick/verdalunehelper.conf"));
    if (mainDefaults.contains(QStringLiteral("loggers")) &&
        !Logger::restoreFromUserDefaults(mainDefaults.value(QStringLiteral("loggers"))))
        VL_LOG(LOTHER, Logger::LOG_ERROR_LEVEL, QStringLiteral("Failed to initialize logging"));

    QDBusConnection session = QDBusConnection::sessionBus();
    QDBusConnectionInterface* bus = session.interface();
    if (!session.isConnected() || !bus) {
        VL_LOG(LOTHER, Logger::LOG_ERROR_LEVEL, QStringLiteral("no session bus: the helper cannot run"));
        return 1;
    }
    std::optional<HelperInstanceLock> lock;
    if (!isOnlyHelper(*bus, lock))
        return 0;
    // Without its bus the helper hears neither the main program nor the desktop: it ends, as on SIGTERM.
    session.connect(QString(), QStringLiteral("/org/freedesktop/DBus/Local"),
                    QStringLiteral("org.freedesktop.DBus.Local"), QStringLiteral("Disconnected"),
                    &application, SLOT(quit()));

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
    if (!claim(*bus, HelperController::HELPER_BUNDLE_IDENTIFIER)) {
        VL_LOG(LOTHER, Logger::LOG_WARNING_LEVEL,
               QStringLiteral("another program holds %1").arg(HelperController::HELPER_BUNDLE_IDENTIFIER));
        return 0;
    }
    const int status = QApplication::exec();
    if (!session.isConnected())
        VL_LOG(LOTHER, Logger::LOG_INFO_LEVEL, QStringLiteral("the session bus went away: the helper ends"));
    ownDefaults.synchronize();
    return status;
}
