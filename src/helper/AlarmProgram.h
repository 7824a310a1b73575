#pragma once

#include <QString>
#include <QUrl>

// Runs the program of a run-program alarm: started directly, never through a shell, with its
// argument text handed over as one argument exactly as it stands. Only programs on this machine run.
class AlarmProgram {
public:
    // The program's path: a file URL on this host, or a bare absolute path; empty for anything else.
    static QString localPath(const QUrl& program);
    // False when the program is not local or could not be started.
    static bool run(const QUrl& program, const QString& arguments);
};
