#pragma once

#include "PTKeyCombo.h"

#include <QString>

#include <functional>

// A named key combination and what to do when it is pressed. It is registered while the center holds it,
// with a non-zero id; the center keeps a pointer, so a hot key is neither copied nor moved.
class PTHotKey {
public:
    using Action = std::function<void(PTHotKey& hotKey)>;

    PTHotKey(const QString& identifier, const PTKeyCombo& keyCombo)
        : m_identifier(identifier), m_keyCombo(keyCombo) {}
    PTHotKey(const PTHotKey&) = delete;
    PTHotKey& operator=(const PTHotKey&) = delete;

    const QString& identifier() const { return m_identifier; }
    void setIdentifier(const QString& identifier) { m_identifier = identifier; }
    const QString& name() const { return m_name; }
    void setName(const QString& name) { m_name = name; }
    const PTKeyCombo& keyCombo() const { return m_keyCombo; }
    void setKeyCombo(const PTKeyCombo& keyCombo) { m_keyCombo = keyCombo; }
    void setAction(Action action) { m_action = std::move(action); }

    // The id of the current registration, 0 when not registered.
    quint32 hotKeyID() const { return m_hotKeyID; }
    void setHotKeyID(quint32 id) { m_hotKeyID = id; }
    // Why the desktop refused the last registration, in words for the user; empty after a success.
    const QString& registrationError() const { return m_registrationError; }
    void setRegistrationError(const QString& error) { m_registrationError = error; }

    void invoke();

private:
    QString m_identifier;
    QString m_name;
    PTKeyCombo m_keyCombo;
    Action m_action;
    quint32 m_hotKeyID = 0;
    QString m_registrationError;
};
