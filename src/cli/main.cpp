#include "AddCommand.h"
#include "CalendarsCommand.h"
#include "ImportCommand.h"
#include "ListCommand.h"
#include "ParseCommand.h"
#include "RemoveCommand.h"
#include "RenderCommand.h"
#include "base/VisibleText.h"

#include <QCoreApplication>
#include <QGuiApplication>

#include <QString>
#include <QStringList>

#include <cstdio>
#include <memory>

namespace {

const char* USAGE =
    "usage: verdalune-cli parse [--now ISO] [--tz ZONE] [--day-month-order 0|1]\n"
    "                           [--time-mode 12|24] [--calendars NAME,NAME...]\n"
    "                           [--base-start ISO --base-end ISO] LINE|-\n"
    "       verdalune-cli calendars [--json] [--quiet]\n"
    "       verdalune-cli list [--from ISO] [--to ISO] [--json] [--quiet]\n"
    "       verdalune-cli add [--now ISO] [--calendar TITLE] [--quiet] LINE\n"
    "       verdalune-cli remove UID [--occurrence ISO] [--span 0|1|2] [--quiet]\n"
    "       verdalune-cli import [--calendar TITLE] [--quiet] FILE|-\n"
    "       verdalune-cli render --from ISO --interval SECONDS [--width 1280] [--height 800]\n"
    "                            [--scale log|linear] [--now ISO] [--selected UID] [--focus UID,UID...]\n"
    "                            [--time-mode 12|24] [--quiet] OUT.png\n"
    "ISO is a date-time YYYY-MM-DDTHH:MM[:SS] with an optional Z or +hh:mm, or a date YYYY-MM-DD: its\n"
    "midnight in the time zone.\n"
    "The store commands say on standard error what they skipped in a file; --quiet keeps them silent.\n"
    "After \"--\" every argument is a line, uid or file name, also one that begins with \"-\".\n"
    "The calendars are in $VERDALUNE_CALENDAR_DIR, else in ~/.local/share/verdalune/calendars.\n";

} // namespace

int main(int argc, char** argv) {
    // The store's notifications and file watching run on Qt's event machinery; drawing needs a GUI
    // application, which renders without a display here.
    QStringList arguments;
    for (int i = 1; i < argc; ++i)
        arguments.append(QString::fromUtf8(argv[i]));
    const bool draws = argc > 1 && QByteArrayView(argv[1]) == "render";
    if (draws)
        qputenv("QT_QPA_PLATFORM", "offscreen");
    // Qt is given none of the arguments: it would act on some anywhere (-platformpluginpath loads code).
    int qtArgc = 1;
    char* qtArgv[] = {argv[0], nullptr};
    const std::unique_ptr<QCoreApplication> application =
        draws ? std::make_unique<QGuiApplication>(qtArgc, qtArgv)
              : std::make_unique<QCoreApplication>(qtArgc, qtArgv);
    if (arguments.isEmpty() || arguments.front() == u"--help" || arguments.front() == u"-h") {
        std::fputs(USAGE, arguments.isEmpty() ? stderr : stdout);
        return arguments.isEmpty() ? 2 : 0;
    }
    const QString command = arguments.takeFirst();
    if (command == u"parse")
        return ParseCommand::run(arguments, stdin, stdout, stderr);
    if (command == u"calendars")
        return CalendarsCommand::run(arguments, stdout, stderr);
    if (command == u"list")
        return ListCommand::run(arguments, stdout, stderr);
    if (command == u"add")
        return AddCommand::run(arguments, stdout, stderr);
    if (command == u"remove")
        return RemoveCommand::run(arguments, stdout, stderr);
    if (command == u"import")
        return ImportCommand::run(arguments, stdin, stdout, stderr);
    if (command == u"render")
        return RenderCommand::run(arguments, stdout, stderr);
    std::fprintf(stderr, "verdalune-cli: unknown command \"%s\"\n%s",
                 VisibleText::escaped(command).toUtf8().constData(), USAGE);
    return 2;
}
