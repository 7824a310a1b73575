#include "DistributedNotificationCenter.h"

#include "base/Logger.h"

#include <QDBusMessage>

namespace {
const QString SIGNAL_NAME = QStringLiteral("Posted");
}

DistributedNotificationCenter::DistributedNotificationCenter(QDBusConnection connection, QObject* parent)
    : QObject(parent), m_connection(std::move(connection)) {
    if (!m_connection.connect(QString(), PATH, INTERFACE, SIGNAL_NAME, this, SLOT(receive(QString))))
        VL_LOG(LOTHER, Logger::LOG_WARNING_LEVEL,
               QStringLiteral("Cannot listen for notifications: %1").arg(m_connection.lastError().message()));
}

bool DistributedNotificationCenter::postNotificationName(const QString& name) {
    QDBusMessage message = QDBusMessage::createSignal(PATH, INTERFACE, SIGNAL_NAME);
    message << name;
    return m_connection.send(message);
}

void DistributedNotificationCenter::receive(const QString& name) {
    emit notificationPosted(name);
}
