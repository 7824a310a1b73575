#include "NotificationServerStandIn.h"

#include <QDateTime>
#include <QFile>
#include <QJsonDocument>
#include <QJsonObject>

namespace {

constexpr uint DISMISSED = 2;
constexpr uint CLOSED_BY_CALL = 3;

} // namespace

NotificationServerStandIn::NotificationServerStandIn(QString recordFile, int refused, int unanswered,
                                                     QObject* parent)
    : QObject(parent), m_recordFile(std::move(recordFile)), m_refused(refused), m_unanswered(unanswered) {}

uint NotificationServerStandIn::Notify(const QString& appName, uint replacesId, const QString& appIcon,
                                       const QString& summary, const QString& body,
                                       const QStringList& actions, const QVariantMap& hints,
                                       int expireTimeout) {
    uint id = 0; // for a notification not shown
    if (m_refused-- > 0)
        sendErrorReply(QDBusError::LimitsExceeded, QStringLiteral("too many notifications"));
    else if (m_unanswered-- > 0)
        setDelayedReply(true); // and never replied
    else
        id = replacesId ? replacesId : ++m_lastId;
    record({{"method", "Notify"},
            {"id", id},
            {"app", appName},
            {"icon", appIcon},
            {"summary", summary},
            {"body", body},
            {"actions", actions},
            {"hints", QStringList(hints.keys())},
            {"timeout", expireTimeout}});
    return id;
}

void NotificationServerStandIn::CloseNotification(uint id) {
    record({{"method", "CloseNotification"}, {"id", id}});
    emit NotificationClosed(id, CLOSED_BY_CALL);
}

QStringList NotificationServerStandIn::GetCapabilities() {
    return {QStringLiteral("actions"), QStringLiteral("body")};
}

QString NotificationServerStandIn::GetServerInformation(QString& vendor, QString& version,
                                                        QString& specVersion) {
    vendor = QStringLiteral("tests");
    version = QStringLiteral("1");
    specVersion = QStringLiteral("1.2");
    return QStringLiteral("stand-in");
}

void NotificationServerStandIn::InvokeAction(uint id, const QString& action) {
    record({{"method", "InvokeAction"}, {"id", id}, {"action", action}});
    emit ActionInvoked(id, action);
    emit NotificationClosed(id, DISMISSED);
}

void NotificationServerStandIn::record(const QVariantMap& call) const {
    QJsonObject line = QJsonObject::fromVariantMap(call);
    line.insert(QStringLiteral("at"), QDateTime::currentMSecsSinceEpoch());
    QFile file(m_recordFile);
    if (file.open(QIODevice::Append))
        file.write(QJsonDocument(line).toJson(QJsonDocument::Compact) + '\n');
}
