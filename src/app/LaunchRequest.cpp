#include "LaunchRequest.h"

#include <QCoreApplication>
#include <QDir>

LaunchRequest LaunchRequest::fromArguments(const QStringList& arguments) {
    LaunchRequest request;
    bool options = true;
    for (const QString& argument : arguments) {
        if (options && argument == u"--") {
            options = false;
        } else if (options && argument == u"--new-event") {
            request.newEvent = true;
        } else if (options && argument.startsWith(u'-') && argument.size() > 1) {
            request.error = QCoreApplication::translate("LaunchRequest", "unknown option %1").arg(argument);
            return request;
        } else {
            request.files.append(QDir::cleanPath(QDir::current().absoluteFilePath(argument)));
        }
    }
    return request;
}
