#pragma once

#include "HotKeyBackend.h"

#include <QList>
#include <QObject>
#include <QString>

#include <map>
#include <memory>

class PTHotKey;

// Keeps the registered hot keys, registers them with the desktop and sends each press to its hot key.
// Ids count registration attempts from 1 and are never reused.
class PTHotKeyCenter : public QObject {
    Q_OBJECT
public:
    explicit PTHotKeyCenter(std::unique_ptr<HotKeyBackend> backend, QObject* parent = nullptr);
    ~PTHotKeyCenter() override;

    // The program's center, on the desktop's hot-key service; it lives as long as the application object.
    static PTHotKeyCenter& sharedCenter();

    // False when the desktop refused; the hot key's registrationError() then says why. A combination
    // that is no hot key registers nothing and succeeds.
    bool registerHotKey(PTHotKey& hotKey);
    void unregisterHotKey(PTHotKey& hotKey);
    QList<PTHotKey*> allHotKeys() const;
    PTHotKey* hotKeyWithIdentifier(const QString& identifier) const;

    bool isAvailable() const { return unavailableReason().isEmpty(); }
    // For the user, why no global shortcut can work on this desktop; empty when one can.
    QString unavailableReason() const { return m_backend->unavailableReason(); }

signals:
    // The desktop took back a registration after accepting it; the hot key is no longer registered.
    void registrationRefused(PTHotKey* hotKey);

private:
    static std::unique_ptr<HotKeyBackend> desktopBackend();
    void hotKeyPressed(quint32 id);
    void hotKeyRefused(quint32 id, const QString& reason);

    std::unique_ptr<HotKeyBackend> m_backend;
    std::map<quint32, PTHotKey*> m_hotKeys;
    quint32 m_hotKeyCount = 0;
};
