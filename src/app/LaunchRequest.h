#pragma once

#include <QString>
#include <QStringList>

// What a start of the program asks for beyond its window: calendar files to import, a new event.
class LaunchRequest {
public:
    // From the arguments after the program's name, once Qt has taken its own options out. A relative
    // path is resolved against this process's working directory, the caller's, since the running program
    // that may get it has another.
    static LaunchRequest fromArguments(const QStringList& arguments);

    QStringList files; // full paths
    bool newEvent = false;
    QString error; // for an option this program does not know
};
