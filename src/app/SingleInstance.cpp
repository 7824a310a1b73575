#include "SingleInstance.h"

#include "app/Logger.h"

#include <QDBusConnectionInterface>
#include <QDBusInterface>

SingleInstance::SingleInstance(QDBusConnection connection, QObject* parent)
    : QObject(parent), m_connection(std::move(connection)) {}

SingleInstance::Claim SingleInstance::claim() {
    if (!m_connection.isConnected()) {
        VL_LOG(LOTHER, Logger::LOG_WARNING_LEVEL,
               QStringLiteral("no session bus: a second start will open a second window"));
        return Claim::NoSessionBus;
    }
    const auto reply =
        m_connection.interface()->registerService(SERVICE_NAME, QDBusConnectionInterface::DontQueueService,
                                                  QDBusConnectionInterface::DontAllowReplacement);
    if (reply.isValid() && reply.value() == QDBusConnectionInterface::ServiceRegistered) {
        m_connection.registerObject(QStringLiteral("/"), this, QDBusConnection::ExportScriptableSlots);
        return Claim::Owned;
    }
    QDBusInterface running(SERVICE_NAME, QStringLiteral("/"), SERVICE_NAME, m_connection);
    // Waiting with the event loop running, so that an owner in this very process can answer.
    running.call(QDBus::BlockWithGui, QStringLiteral("activate"));
    return Claim::AlreadyRunning;
}

void SingleInstance::activate() {
    emit activationRequested();
}
