#include "AddCommand.h"
#include "CalendarsCommand.h"
#include "CommandUsage.h"
#include "ImportCommand.h"
#include "ListCommand.h"
#include "ParseCommand.h"
#include "RemoveCommand.h"
#include "RenderCommand.h"
#include "base/Version.h"
#include "base/VisibleText.h"

#include <QCoreApplication>
#include <QGuiApplication>

#include <QString>
#include <QStringList>

#include <cstdio>
#include <memory>
#include <optional>

namespace {

void print(std::FILE* stream, const QByteArray& text) {
    std::fwrite(text.constData(), 1, size_t(text.size()), stream);
}

// "--help" among a command's options (before "--") asks for its usage and nothing else.
bool asksForHelp(const QStringList& arguments) {
    const qsizetype end = arguments.indexOf(QStringLiteral("--"));
    return arguments.first(end < 0 ? arguments.size() : end).contains(QStringLiteral("--help"));
}

// The answer to a request for the usage or the version, before anything is created: no store is
// opened and nothing is written.
std::optional<int> answerInformationRequest(const QStringList& arguments) {
    if (arguments.isEmpty()) {
        print(stderr, CommandUsage::all());
        return 2;
    }
    const QString& first = arguments.front();
    if (first == u"--help" || first == u"-h") {
        print(stdout, CommandUsage::all());
        return 0;
    }
    if (first == u"--version") {
        std::printf("verdalune-cli %s\n", Version::text);
        return 0;
    }
    const std::optional<QByteArray> usage = CommandUsage::of(first);
    if (usage && asksForHelp(arguments.sliced(1))) {
        print(stdout, *usage);
        return 0;
    }
    return std::nullopt;
}

} // namespace

int main(int argc, char** argv) {
    QStringList arguments;
    for (int i = 1; i < argc; ++i)
        arguments.append(QString::fromUtf8(argv[i]));
    if (const std::optional<int> status = answerInformationRequest(arguments))
        return *status;
    // The store's notifications and file watching run on Qt's event machinery; drawing needs a GUI
    // application, which renders without a display here.
    const bool draws = argc > 1 && QByteArrayView(argv[1]) == "render";
    if (draws)
        qputenv("QT_QPA_PLATFORM", "offscreen");
    // Qt is given none of the arguments: it would act on some anywhere (-platformpluginpath loads code).
    int qtArgc = 1;
    char* qtArgv[] = {argv[0], nullptr};
    const std::unique_ptr<QCoreApplication> application =
        draws ? std::make_unique<QGuiApplication>(qtArgc, qtArgv)
              : std::make_unique<QCoreApplication>(qtArgc, qtArgv);
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
    std::fprintf(stderr, "verdalune-cli: unknown command \"%s\"\n",
                 VisibleText::escaped(command).toUtf8().constData());
    print(stderr, CommandUsage::all());
    return 2;
}
