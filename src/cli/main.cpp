#include "ParseCommand.h"

#include <QString>
#include <QStringList>

#include <cstdio>

namespace {

const char* USAGE =
    "usage: verdalune-cli parse [--now YYYY-MM-DDTHH:MM[:SS]] [--tz ZONE] [--day-month-order 0|1]\n"
    "                           [--time-mode 12|24] [--calendars NAME,NAME...]\n"
    "                           [--base-start ISO --base-end ISO] LINE|-\n";

} // namespace

int main(int argc, char** argv) {
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
    std::fprintf(stderr, "verdalune-cli: unknown command \"%s\"\n%s", command.toUtf8().constData(), USAGE);
    return 2;
}
