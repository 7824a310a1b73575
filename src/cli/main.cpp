#include "AddCommand.h"
#include "CalendarsCommand.h"
#include "ListCommand.h"
#include "ParseCommand.h"
#include "RemoveCommand.h"

#include <QCoreApplication>

#include <QString>
#include <QStringList>

#include <cstdio>

namespace {

const char* USAGE =
    "usage: verdalune-cli parse [--now YYYY-MM-DDTHH:MM[:SS]] [--tz ZONE] [--day-month-order 0|1]\n"
    "                           [--time-mode 12|24] [--calendars NAME,NAME...]\n"
    "                           [--base-start ISO --base-end ISO] LINE|-\n"
    "       verdalune-cli calendars [--json]\n"
    "       verdalune-cli list [--from ISO] [--to ISO] [--json]\n"
    "       verdalune-cli add [--now ISO] [--calendar TITLE] LINE\n"
    "       verdalune-cli remove UID [--occurrence ISO] [--span 0|1|2]\n"
    "The calendars are in $VERDALUNE_CALENDAR_DIR, else in ~/.local/share/verdalune/calendars.\n";

} // namespace

int main(int argc, char** argv) {
    // The store's notifications and file watching run on Qt's event machinery.
    QCoreApplication application(argc, argv);
    QStringList arguments;
    for (int i = 1; i < argc; ++i)
        arguments.append(QString::fromUtf8(argv[i]));
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
    std::fprintf(stderr, "verdalune-cli: unknown command \"%s\"\n%s", command.toUtf8().constData(), USAGE);
    return 2;
}
