#pragma once

#include <QObject>
#include <QString>

#include <optional>

class PTHotKey;

// The desktop's service for system-wide key combinations. Registrations are known by the center's ids;
// presses are reported by id on the main thread.
class HotKeyBackend : public QObject {
    Q_OBJECT
public:
    using QObject::QObject;

    // Empty when combinations can be registered here; otherwise, for the user, why none can.
    virtual QString unavailableReason() const = 0;
    // Asks the desktop for the hot key's combination; the reason for the user when it is refused.
    virtual std::optional<QString> registerHotKey(quint32 id, const PTHotKey& hotKey) = 0;
    virtual void unregisterHotKey(quint32 id) = 0;

signals:
    void pressed(quint32 id);
    // A registration that the desktop accepted at first and refused later (after asking the user).
    void refused(quint32 id, const QString& reason);
};
