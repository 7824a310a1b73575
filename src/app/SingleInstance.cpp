#include "SingleInstance.h"

#include "base/Logger.h"

#include <QDBusConnectionInterface>
#include <QDBusMessage>

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
    // A plain message: an interface object would first ask the owner to describe itself, and wait. The
    // event loop runs while waiting, so that an owner in this very process can answer.
    m_connection.call(QDBusMessage::createMethodCall(SERVICE_NAME, QStringLiteral("/"), SERVICE_NAME,
                                                     QStringLiteral("activate")),
                      QDBus::BlockWithGui);
    return Claim::AlreadyRunning;
}

void SingleInstance::activate() {
    emit activationRequested();
}

void SingleInstance::newEvent() {
    emit newEventRequested();
}

void SingleInstance::showEvent(const QString& uid, const QString& occurrenceStart) {
    emit eventShowRequested(uid, QDateTime::fromString(occurrenceStart, Qt::ISODateWithMs));
}
