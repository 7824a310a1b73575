#include "StoreSession.h"

#include "base/Logger.h"
#include "store/vdir/CalendarStoreLocation.h"

StoreSession::StoreSession() {
    // The store and the alerts log each failure at error level; the command reports the first alert
    // itself, so on standard error the failure would otherwise be said three times.
    Logger::setSink([](const QString&) {});
}

StoreSession::~StoreSession() {
    Logger::setSink({});
}

std::unique_ptr<StoreSession> StoreSession::open(QString& error) {
    std::unique_ptr<StoreSession> session(new StoreSession);
    const QString root = CalendarStoreLocation::rootDirectory(
        session->m_defaults.value(QStringLiteral("calendarStoreDirectory")).toString());
    if (!CalendarStoreLocation::prepare(root)) {
        error = QStringLiteral("the calendar folder %1 cannot be created").arg(root);
        return nullptr;
    }
    session->m_store = std::make_unique<VdirCalendarStore>(root);
    session->m_storeController =
        std::make_unique<CalendarStoreController>(*session->m_store, session->m_interaction);
    session->m_calendarController = std::make_unique<CalendarController>(
        session->m_model, *session->m_storeController, session->m_undoManager, session->m_defaults);
    return session;
}

std::optional<QString> StoreSession::firstAlert() const {
    if (m_interaction.shown().isEmpty())
        return std::nullopt;
    const NonInteractiveUserInteraction::Shown& shown = m_interaction.shown().front();
    return shown.text.isEmpty() ? shown.title : QStringLiteral("%1 %2").arg(shown.title, shown.text);
}
