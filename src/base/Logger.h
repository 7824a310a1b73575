#pragma once

#include <QHash>
#include <QString>
#include <QVariant>

#include <functional>
#include <memory>

inline const QString LACTIONS = QStringLiteral("Actions Log");   // user commands, undo and redo
inline const QString LCALSTORE = QStringLiteral("CalStore Log"); // calendar store calls and changes
inline const QString LOTHER = QStringLiteral("Default log");     // everything else

// Named loggers with a minimum level each. A name without a logger of its own logs through the default
// logger, so diagnostics can be turned up for one area from the user defaults without a rebuild.
class Logger {
public:
    static constexpr int LOG_VERBOSE_LEVEL = 10;
    static constexpr int LOG_INFO_LEVEL = 100;
    static constexpr int LOG_WARNING_LEVEL = 200;
    static constexpr int LOG_ERROR_LEVEL = 300;
    static inline const QString DEFAULT_LOGGER_NAME = QStringLiteral("KTLoggerDefault");

    int level() const { return m_level; }
    void setLevel(int level) { m_level = level; }
    bool shouldLogLevel(int level) const { return m_level <= level; }

    // Writes "function: message" when the named logger passes the level. Prefer VL_LOG, which builds the
    // message only when it will be written.
    static void logWithLogger(const QString& name, const char* file, int line, const char* function,
                              int level, const QString& message);
    static void logMessage(const QString& message, const char* file, int line, const char* function);
    static Logger& loggerWithName(const QString& name);
    static Logger& defaultLogger();
    // A new logger at level 1 (it logs everything until its level is set), replacing any of that name.
    static Logger& addLoggerWithName(const QString& name);

    // The stored form is a list of maps with "name" and "level". Returns false, changing nothing, when
    // `stored` is not such a list.
    static bool restoreFromUserDefaults(const QVariant& stored);

    // Where written lines go: standard error (the session's journal) unless replaced, e.g. by a test.
    using Sink = std::function<void(const QString& line)>;
    static void setSink(Sink sink);

private:
    explicit Logger(int level) : m_level(level) {}
    struct Registry;
    static Registry& registry();

    int m_level = LOG_ERROR_LEVEL;
};

#define VL_LOG(loggerName, level, message)                                                                   \
    do {                                                                                                     \
        if (Logger::loggerWithName(loggerName).shouldLogLevel(level))                                        \
            Logger::logMessage((message), __FILE__, __LINE__, static_cast<const char*>(__func__));           \
    } while (0)
