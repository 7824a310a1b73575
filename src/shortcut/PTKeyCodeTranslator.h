#pragma once

#include <QByteArray>
#include <QString>

#include <memory>
#include <xkbcommon/xkbcommon.h>

// Turns key codes into the characters they type in one keyboard layout, for showing shortcuts.
class PTKeyCodeTranslator {
public:
    // The translator of the layout in use now: that of the X server's core keyboard, else the system's
    // default keymap. It is kept while the layout stays the same.
    static std::shared_ptr<const PTKeyCodeTranslator> currentTranslator();

    // Translates in layout `layoutIndex` of `keymap` (none: translates nothing).
    PTKeyCodeTranslator(std::shared_ptr<xkb_keymap> keymap, xkb_layout_index_t layoutIndex);

    // The character the key types without modifiers (keypad keys as digits), or "" when it types none.
    QString translateKeyCode(int keyCode) const;
    // The name of the key's symbol without modifiers ("n", "F1", "Return"), or "" for no such key.
    QString keySymbolName(int keyCode) const;
    // The layout's name, e.g. "English (US)".
    QString keyboardLayout() const;
    QString description() const;

private:
    std::shared_ptr<xkb_keymap> m_keymap;
    xkb_layout_index_t m_layoutIndex;
    std::unique_ptr<xkb_state, void (*)(xkb_state*)> m_state;
};
