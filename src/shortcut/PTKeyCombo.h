#pragma once

#include <QString>
#include <QVariant>
#include <QVariantMap>

// A key code with modifiers in the hot-key encoding. The clear combination (both −1) stands for "no
// shortcut". Key codes are X11 key codes.
class PTKeyCombo {
public:
    PTKeyCombo(int keyCode, int modifiers) : m_keyCode(keyCode), m_modifiers(modifiers) {}

    static PTKeyCombo clearKeyCombo() { return {-1, -1}; }
    static PTKeyCombo keyComboWithKeyCode(int keyCode, int modifiers) { return {keyCode, modifiers}; }
    // Reads {"keyCode", "modifiers"}; anything else, or an empty map, is the clear combination. A
    // negative key code becomes −1, modifiers below 1 become −1.
    static PTKeyCombo fromPlistRepresentation(const QVariant& plist);
    QVariantMap plistRepresentation() const;

    int keyCode() const { return m_keyCode; }
    int modifiers() const { return m_modifiers; }
    bool isValidHotKeyCombo() const { return m_keyCode >= 0 && m_modifiers > 0; }
    bool isClearCombo() const { return m_keyCode == -1 && m_modifiers == -1; }
    bool operator==(const PTKeyCombo& other) const = default;

    // As Linux desktops write shortcuts ("Ctrl+Super+N"), or "(None)" when this is no hot key.
    QString description() const;
    // The key's name in the current keyboard layout; empty for the clear combination.
    QString keyCodeString() const;
    // The modifiers in the desktop encoding; 0 for the clear combination.
    unsigned int modifierMask() const;

private:
    int m_keyCode;
    int m_modifiers;
};
