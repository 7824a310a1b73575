// Verdalune, the main program.
#include "ApplicationDelegate.h"
#include "SingleInstance.h"
#include "base/Logger.h"
#include "base/UserDefaults.h"
#include "shortcut/HelperController.h"
#include "store/vdir/CalendarStoreLocation.h"

#include <QApplication>
#include <QFileInfo>
#include <QIcon>
#include <QMessageBox>
#include <QTimer>

int main(int argc, char** argv) {
    QApplication application(argc, argv);
    QApplication::setOrganizationName(QStringLiteral("pellowick"));
    QApplication::setApplicationName(QStringLiteral("verdalune"));
    QApplication::setApplicationDisplayName(QStringLiteral("Verdalune"));
    // The desktop matches windows to the installed entry and its icon by this name.
    QGuiApplication::setDesktopFileName(QStringLiteral("com.pellowick.verdalune"));
    QApplication::setWindowIcon(
        QIcon::fromTheme(QStringLiteral("com.pellowick.verdalune"),
                         QIcon(QStringLiteral(":/icons/com.pellowick.verdalune.svg"))));

    SingleInstance instance;
    if (instance.claim() == SingleInstance::Claim::AlreadyRunning)
        return 0;

    UserDefaults userDefaults;
    ApplicationDelegate delegate(userDefaults);
    const QString root = CalendarStoreLocation::rootDirectory(
        userDefaults.value(QStringLiteral("calendarStoreDirectory")).toString());
    if (!CalendarStoreLocation::prepare(root)) {
        QMessageBox::critical(nullptr, QApplication::applicationDisplayName(),
                              QApplication::tr("The calendar folder %1 cannot be created.").arg(root));
        return 1;
    }
    delegate.start(root);
    QObject::connect(&instance, &SingleInstance::activationRequested, &delegate,
                     &ApplicationDelegate::showMainWindow);
    QObject::connect(&instance, &SingleInstance::newEventRequested, &delegate,
                     &ApplicationDelegate::showNewEventEditor);
    // Inside the event loop, so that choosing "Quit" in a start-up alert ends the program; the helper's
    // alerts then have the window to open over.
    QTimer::singleShot(0, &delegate, [&delegate] {
        delegate.finishLaunching();
        const QString helper = HelperController::defaultHelperPath();
        if (QFileInfo(helper).isExecutable())
            delegate.startHelperControl(helper);
        else
            VL_LOG(
                LOTHER, Logger::LOG_WARNING_LEVEL,
                QStringLiteral("No helper at %1: the shortcut works only while Verdalune runs").arg(helper));
    });
    const int status = QApplication::exec();
    userDefaults.synchronize();
    return status;
}
