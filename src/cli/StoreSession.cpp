#include "StoreSession.h"

#include "CommandOutput.h"
#include "base/Logger.h"
#include "base/VisibleText.h"
#include "store/vdir/CalendarStoreLocation.h"

StoreSession::StoreSession() {
    // The store and the alerts log each failure at error level; the command reports the first alert
    // itself, so on standard error the failure would otherwise be said three times. Only the reading of
    // the calendars is passed on: it is where the store says what it skipped in a file.
    Logger::setSink([this](const QString& line) {
        if (m_warnings)
            warn(line);
    });
}

StoreSession::~StoreSession() {
    Logger::setSink({});
}

std::unique_ptr<StoreSession> StoreSession::open(QString& error, std::FILE* warnings) {
    std::unique_ptr<StoreSession> session(new StoreSession);
    const QString root = CalendarStoreLocation::rootDirectory(
        session->m_defaults.value(QStringLiteral("calendarStoreDirectory")).toString());
    if (!CalendarStoreLocation::prepare(root)) {
        error = QStringLiteral("the calendar folder %1 cannot be created").arg(root);
        return nullptr;
    }
    session->m_warnings = warnings;
    Logger::addLoggerWithName(LCALSTORE).setLevel(Logger::LOG_WARNING_LEVEL);
    session->m_store = std::make_unique<VdirCalendarStore>(root, VdirCalendarStore::Watch::Nothing);
    session->m_warnings = nullptr;
    session->m_storeController =
        std::make_unique<CalendarStoreController>(*session->m_store, session->m_interaction);
    session->m_calendarController = std::make_unique<CalendarController>(
        session->m_model, *session->m_storeController, session->m_undoManager, session->m_defaults);
    return session;
}

void StoreSession::warn(const QString& line) {
    // A logged line is "function: message", and the store's messages begin with the file's name.
    const QString message = line.section(QStringLiteral(": "), 1);
    if (m_warned.contains(message))
        return;
    m_warned.insert(message);
    CommandOutput::write(m_warnings, (VisibleText::escaped(message) + u'\n').toUtf8());
}

std::optional<QString> StoreSession::firstAlert() const {
    if (m_interaction.shown().isEmpty())
        return std::nullopt;
    const NonInteractiveUserInteraction::Shown& shown = m_interaction.shown().front();
    return shown.text.isEmpty() ? shown.title : QStringLiteral("%1 %2").arg(shown.title, shown.text);
}
