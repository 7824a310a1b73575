#include "Logger.h"

#include <QDateTime>
#include <QVariantMap>

#include <cstdio>
#include <unistd.h>

struct Logger::Registry {
    QHash<QString, std::shared_ptr<Logger>> loggers;
    std::shared_ptr<Logger> defaultLogger;
    Sink sink;
};

Logger::Registry& Logger::registry() {
    static Registry registry = [] {
        Registry r;
        r.defaultLogger.reset(new Logger(LOG_ERROR_LEVEL));
        r.loggers.insert(DEFAULT_LOGGER_NAME, r.defaultLogger);
        return r;
    }();
    return registry;
}

void Logger::logWithLogger(const QString& name, const char* file, int line, const char* function, int level,
                           const QString& message) {
    if (loggerWithName(name).shouldLogLevel(level))
        logMessage(message, file, line, function);
}

void Logger::logMessage(const QString& message, const char*, int, const char* function) {
    const QString text = QStringLiteral("%1: %2").arg(QString::fromLatin1(function), message);
    Registry& r = registry();
    if (r.sink) {
        r.sink(text);
        return;
    }
    const QString stamped = QStringLiteral("%1 verdalune[%2] %3\n")
                                .arg(QDateTime::currentDateTime().toString(Qt::ISODateWithMs))
                                .arg(qint64(getpid()))
                                .arg(text);
    std::fputs(stamped.toLocal8Bit().constData(), stderr);
}

Logger& Logger::loggerWithName(const QString& name) {
    Registry& r = registry();
    const auto found = r.loggers.constFind(name);
    return found == r.loggers.cend() ? *r.defaultLogger : **found;
}

Logger& Logger::defaultLogger() {
    return *registry().defaultLogger;
}

Logger& Logger::addLoggerWithName(const QString& name) {
    auto logger = std::shared_ptr<Logger>(new Logger(1));
    registry().loggers.insert(name, logger);
    return *logger;
}

bool Logger::restoreFromUserDefaults(const QVariant& stored) {
    // Only a real list: a stray string or number would otherwise convert to a list and count as restored.
    if (stored.typeId() != QMetaType::QVariantList)
        return false;
    Registry& r = registry();
    for (const QVariant& entry : stored.toList()) {
        const QVariantMap map = entry.toMap();
        const QString name = map.value(QStringLiteral("name")).toString();
        if (name.isEmpty())
            continue;
        Logger& logger = addLoggerWithName(name);
        logger.setLevel(map.value(QStringLiteral("level"), LOG_ERROR_LEVEL).toInt());
        if (name == DEFAULT_LOGGER_NAME)
            r.defaultLogger = r.loggers.value(name);
    }
    return true;
}

void Logger::setSink(Sink sink) {
    registry().sink = std::move(sink);
}
