#pragma once

#include "base/VisibleText.h"

#include <QByteArray>
#include <QString>

#include <cstdio>

// Output of the command-line commands: each write goes out at once, so that a script reading line by
// line sees every result as soon as it is made.
class CommandOutput {
public:
    static void write(std::FILE* stream, const QByteArray& text) {
        std::fwrite(text.constData(), 1, size_t(text.size()), stream);
        std::fflush(stream);
    }
    // Says on standard error what went wrong, as one line whatever names and file names it quotes, and
    // returns the exit status for it.
    static int fail(std::FILE* errors, const char* command, const QString& message, int status) {
        write(errors, QStringLiteral("verdalune-cli %1: %2\n")
                          .arg(QString::fromLatin1(command), VisibleText::escaped(message))
                          .toUtf8());
        return status;
    }
};
