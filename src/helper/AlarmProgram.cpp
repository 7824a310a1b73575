#include "AlarmProgram.h"

#include "base/Logger.h"

#include <QDir>
#include <QProcess>

QString AlarmProgram::localPath(const QUrl& program) {
    const bool thisHost = program.host().isEmpty() || program.host() == QLatin1String("localhost");
    const bool local = program.scheme() == QLatin1String("file") || program.scheme().isEmpty();
    const QString path = program.path();
    return local && thisHost && QDir::isAbsolutePath(path) ? path : QString();
}

bool AlarmProgram::run(const QUrl& program, const QString& arguments) {
    const QString path = localPath(program);
    if (path.isEmpty()) {
        VL_LOG(
            LOTHER, Logger::LOG_WARNING_LEVEL,
            QStringLiteral("an alarm's program %1 is not on this machine: not run").arg(program.toString()));
        return false;
    }
    const QStringList argv = arguments.isEmpty() ? QStringList() : QStringList{arguments};
    if (!QProcess::startDetached(path, argv, QDir::homePath())) {
        VL_LOG(LOTHER, Logger::LOG_ERROR_LEVEL,
               QStringLiteral("an alarm's program %1 could not be started").arg(path));
        return false;
    }
    return true;
}
