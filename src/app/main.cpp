// Verdalune, the main program.
#include "ApplicationDelegate.h"
#include "DialogButtonIconStyle.h"
#include "LaunchRequest.h"
#include "SingleInstance.h"
#include "Translations.h"
#include "base/Logger.h"
#include "base/UserDefaults.h"
#include "base/Version.h"
#include "shortcut/HelperController.h"
#include "store/vdir/CalendarStoreLocation.h"

#include <QApplication>
#include <QFileInfo>
#include <QIcon>
#include <QMessageBox>
#include <QTimer>

#include <cstdio>
#include <optional>
#include <string_view>

namespace {

// `--help` and `--version` answer before anything is created: no window, no files, no helper.
std::optional<int> answerInformationRequest(int argc, char** argv) {
    for (int index = 1; index < argc; ++index) {
        const std::string_view argument = argv[index];
        if (argument == "--")
            break; // file names from here on
        if (argument == "--help" || argument == "-h") {
            std::fputs("Usage: verdalune [--new-event] [FILE.ics...]\n"
                       "       verdalune --help | --version\n"
                       "Shows your calendars on one timeline; a second start hands its request to the "
                       "running\nVerdalune and brings its window to the front.\n\n"
                       "  FILE.ics...   import these calendar files (you pick the calendar)\n"
                       "  --new-event   open the editor on a new event\n"
                       "  --help        show this text\n"
                       "  --version     show the version\n\n"
                       "The command-line companion is verdalune-cli.\n",
                       stdout);
            return 0;
        }
        if (argument == "--version" || argument == "-v") {
            std::printf("verdalune %s\n", Version::text);
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
    QApplication::setOrganizationName(QStringLiteral("pellowick"));
    QApplication::setApplicationName(QStringLiteral("verdalune"));
    QApplication::setApplicationDisplayName(QStringLiteral("Verdalune"));
    // The desktop matches windows to the installed entry and its icon by this name.
    QGuiApplication::setDesktopFileName(QStringLiteral("com.pellowick.verdalune"));
    QApplication::setWindowIcon(
        QIcon::fromTheme(QStringLiteral("com.pellowick.verdalune"),
                         QIcon(QStringLiteral(":/icons/com.pellowick.verdalune.svg"))));

    const LaunchRequest request = LaunchRequest::fromArguments(QCoreApplication::arguments().mid(1));
    if (!request.error.isEmpty()) {
        std::fprintf(stderr, "verdalune: %s (see verdalune --help)\n", qPrintable(request.error));
        return 2;
    }
    SingleInstance instance;
    if (instance.claim(request) == SingleInstance::Claim::AlreadyRunning)
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
    delegate.listen(instance);
    // Inside the event loop, so that choosing "Quit" in a start-up alert ends the program; the helper's
    // alerts then have the window to open over.
    QTimer::singleShot(0, &delegate, [&delegate, request] {
        delegate.finishLaunching();
        delegate.open(request);
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
