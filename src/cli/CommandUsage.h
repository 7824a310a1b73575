#pragma once

#include <QByteArray>
#include <QString>

#include <optional>

// The usage text of verdalune-cli: of one command for "verdalune-cli COMMAND --help", of all of them for
// "verdalune-cli --help" and a wrong call.
class CommandUsage {
public:
    static QByteArray all();
    // Nothing when `command` is none of the commands.
    static std::optional<QByteArray> of(const QString& command);
};
