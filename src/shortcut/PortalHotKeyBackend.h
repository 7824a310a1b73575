#pragma once

#include "HotKeyBackend.h"

#include <QDBusConnection>
#include <QHash>
#include <QString>

class QDBusMessage;

// Hot keys through the desktop portal's global shortcuts (Wayland desktops). Each registration is a
// portal session of its own holding one shortcut; the portal may ask the user to confirm or change the
// trigger, so a registration is accepted at once and may be refused later.
class PortalHotKeyBackend : public HotKeyBackend {
    Q_OBJECT
public:
    explicit PortalHotKeyBackend(const QDBusConnection& bus, QObject* parent = nullptr);

    QString unavailableReason() const override;
    std::optional<QString> registerHotKey(quint32 id, const PTHotKey& hotKey) override;
    void unregisterHotKey(quint32 id) override;

private slots:
    void requestAnswered(const QDBusMessage& response);
    void activated(const QDBusMessage& signal);

private:
    struct Registration {
        QString identifier;
        QString description;
        QString trigger;
        QString sessionHandle;
    };
    enum class Step { CreateSession, BindShortcuts };
    struct PendingRequest {
        quint32 id;
        Step step;
    };

    // The options of a request, with a token whose answer is already being listened for.
    QVariantMap requestOptions(quint32 id, Step step);
    void callPortal(const QDBusMessage& call, quint32 id);
    void bindShortcut(quint32 id, const QString& session);
    // Drops a registration the desktop will not give, and tells the center.
    void refuse(quint32 id, const QString& reason);
    void closeSession(const QString& session);

    QDBusConnection m_bus;
    bool m_offered = false;
    QHash<quint32, Registration> m_registrations;
    QHash<QString, PendingRequest> m_pendingRequests;
    quint32 m_requestCount = 0;
};
