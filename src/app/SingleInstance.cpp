#include "SingleInstance.h"

#include "ImportFileCheck.h"
#include "base/Logger.h"

#include <QDBusConnectionInterface>
#include <QDBusMessage>

SingleInstance::SingleInstance(QDBusConnection connection, QObject* parent)
    : QObject(parent), m_connection(std::move(connection)) {}

SingleInstance::Claim SingleInstance::claim(const LaunchRequest& request) {
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
    if (!request.files.isEmpty())
        forward(QStringLiteral("importFiles"), {request.files});
    if (request.newEvent)
        forward(QStringLiteral("newEvent"));
    if (request.files.isEmpty() && !request.newEvent)
        forward(QStringLiteral("activate"));
    return Claim::AlreadyRunning;
}

void SingleInstance::forward(const QString& method, const QVariantList& arguments) {
    // A plain message: an interface object would first ask the owner to describe itself, and wait. The
    // event loop runs while waiting, so that an owner in this very process can answer.
    QDBusMessage message =
        QDBusMessage::createMethodCall(SERVICE_NAME, QStringLiteral("/"), SERVICE_NAME, method);
    message.setArguments(arguments);
    const QDBusMessage reply = m_connection.call(message, QDBus::BlockWithGui);
    if (reply.type() == QDBusMessage::ErrorMessage)
        VL_LOG(LOTHER, Logger::LOG_WARNING_LEVEL,
               QStringLiteral("The running Verdalune refused %1: %2").arg(method, reply.errorMessage()));
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

void SingleInstance::importFiles(const QStringList& paths) {
    QStringList refusals;
    for (const QString& path : paths)
        if (const QString refusal = ImportFileCheck::refusal(path); !refusal.isEmpty())
            refusals.append(refusal);
    if (calledFromDBus() && !refusals.isEmpty())
        sendErrorReply(QDBusError::InvalidArgs, refusals.join(u'\n'));
    // All of them: the import tells the user about the refused ones in the window.
    emit importRequested(paths);
}
