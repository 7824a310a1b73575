#pragma once

#include "PTHotKey.h"

#include <QObject>
#include <QString>

#include <memory>

class PTHotKeyCenter;

// The system-wide new-event shortcut: registers the stored key code and desktop modifier flags as the
// hot key "NewEvent" again whenever either changes, and signals each press.
class GlobalHotKeyController : public QObject {
    Q_OBJECT
    Q_PROPERTY(int newEventCode READ newEventCode WRITE setNewEventCode NOTIFY newEventCodeChanged)
    Q_PROPERTY(uint newEventModifiers READ newEventModifiers WRITE setNewEventModifiers NOTIFY
                   newEventModifiersChanged)
    Q_PROPERTY(QString registrationError READ registrationError NOTIFY registrationErrorChanged)
public:
    static inline const QString NEW_EVENT_IDENTIFIER = QStringLiteral("NewEvent");

    // On the shared center.
    explicit GlobalHotKeyController(QObject* parent = nullptr);
    explicit GlobalHotKeyController(PTHotKeyCenter& hotKeyCenter, QObject* parent = nullptr);
    ~GlobalHotKeyController() override;

    // −1: no shortcut.
    int newEventCode() const { return m_newEventCode; }
    void setNewEventCode(int code);
    // Desktop flags; 0: no shortcut.
    uint newEventModifiers() const { return m_newEventModifiers; }
    void setNewEventModifiers(uint modifiers);
    // The registered hot key, none while nothing is registered.
    PTHotKey* newEventHotKey() const { return m_newEventHotKey.get(); }

    void registerHotKey();
    void unregisterHotKey();
    // Replaces the current registration by the given combination (desktop flags).
    void registerHotKeyWithKeyCode(int keyCode, uint desktopModifiers);
    void hotKeyAction(PTHotKey& hotKey);

    // Whether this desktop lets programs have a global shortcut at all, and if not, why, for the user.
    bool isShortcutAvailable() const;
    QString unavailableReason() const;
    // Why the desktop refused the chosen combination, for the user; empty while it is registered or none
    // is chosen.
    QString registrationError() const { return m_registrationError; }

signals:
    void didPressGlobalHotKey(PTHotKey* hotKey);
    void newEventCodeChanged();
    void newEventModifiersChanged();
    void registrationErrorChanged();

private:
    void setRegistrationError(const QString& error);
    void hotKeyRefused(PTHotKey* hotKey);

    PTHotKeyCenter& m_hotKeyCenter;
    int m_newEventCode = -1;
    uint m_newEventModifiers = 0;
    std::unique_ptr<PTHotKey> m_newEventHotKey;
    QString m_registrationError;
};
