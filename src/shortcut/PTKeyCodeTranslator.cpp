#include "PTKeyCodeTranslator.h"

#include "XcbConnection.h"

#include <xkbcommon/xkbcommon-names.h>
#include <xkbcommon/xkbcommon-x11.h>

namespace {
struct CurrentLayout {
    std::shared_ptr<xkb_keymap> keymap;
    xkb_layout_index_t layoutIndex = 0;
};

xkb_context* context() {
    static const std::unique_ptr<xkb_context, void (*)(xkb_context*)> shared(
        xkb_context_new(XKB_CONTEXT_NO_FLAGS), xkb_context_unref);
    return shared.get();
}

std::shared_ptr<xkb_keymap> keymapPointer(xkb_keymap* keymap) {
    return {keymap, xkb_keymap_unref};
}

CurrentLayout currentLayout() {
    const XcbConnection connection({});
    if (connection.isUsable() &&
        xkb_x11_setup_xkb_extension(connection.get(), XKB_X11_MIN_MAJOR_XKB_VERSION,
                                    XKB_X11_MIN_MINOR_XKB_VERSION, XKB_X11_SETUP_XKB_EXTENSION_NO_FLAGS,
                                    nullptr, nullptr, nullptr, nullptr)) {
        const int32_t device = xkb_x11_get_core_keyboard_device_id(connection.get());
        auto keymap = keymapPointer(
            xkb_x11_keymap_new_from_device(context(), connection.get(), device, XKB_KEYMAP_COMPILE_NO_FLAGS));
        if (keymap) {
            const std::unique_ptr<xkb_state, void (*)(xkb_state*)> state(
                xkb_x11_state_new_from_device(keymap.get(), connection.get(), device), xkb_state_unref);
            return {keymap, state ? xkb_state_serialize_layout(state.get(), XKB_STATE_LAYOUT_EFFECTIVE) : 0};
        }
    }
    // Without an X server (a Wayland session) the system's configured default is the best guess.
    return {keymapPointer(xkb_keymap_new_from_names(context(), nullptr, XKB_KEYMAP_COMPILE_NO_FLAGS)), 0};
}

QByteArray identity(const CurrentLayout& layout) {
    if (!layout.keymap)
        return {};
    std::unique_ptr<char, void (*)(void*)> text(
        xkb_keymap_get_as_string(layout.keymap.get(), XKB_KEYMAP_FORMAT_TEXT_V1), free);
    return QByteArray(text.get()) + '/' + QByteArray::number(layout.layoutIndex);
}
} // namespace

std::shared_ptr<const PTKeyCodeTranslator> PTKeyCodeTranslator::currentTranslator() {
    static std::shared_ptr<const PTKeyCodeTranslator> current;
    static QByteArray currentIdentity;
    const CurrentLayout layout = currentLayout();
    const QByteArray layoutIdentity = identity(layout);
    if (!current || layoutIdentity != currentIdentity) {
        current = std::make_shared<const PTKeyCodeTranslator>(layout.keymap, layout.layoutIndex);
        currentIdentity = layoutIdentity;
    }
    return current;
}

PTKeyCodeTranslator::PTKeyCodeTranslator(std::shared_ptr<xkb_keymap> keymap, xkb_layout_index_t layoutIndex)
    : m_keymap(std::move(keymap)), m_layoutIndex(layoutIndex),
      m_state(m_keymap ? xkb_state_new(m_keymap.get()) : nullptr, xkb_state_unref) {
    if (!m_state)
        return;
    // NumLock stays on so that keypad keys read as their digits rather than as arrows.
    const xkb_mod_index_t numLock = xkb_keymap_mod_get_index(m_keymap.get(), XKB_MOD_NAME_NUM);
    const xkb_mod_mask_t locked = numLock == XKB_MOD_INVALID ? 0 : xkb_mod_mask_t(1) << numLock;
    xkb_state_update_mask(m_state.get(), 0, 0, locked, 0, 0, m_layoutIndex);
}

QString PTKeyCodeTranslator::translateKeyCode(int keyCode) const {
    if (!m_state || keyCode < 0)
        return {};
    const char32_t character = xkb_state_key_get_utf32(m_state.get(), xkb_keycode_t(keyCode));
    if (character == 0 || !QChar::isPrint(character))
        return {};
    return QString::fromUcs4(&character, 1);
}

QString PTKeyCodeTranslator::keySymbolName(int keyCode) const {
    if (!m_state || keyCode < 0)
        return {};
    const xkb_keysym_t symbol = xkb_state_key_get_one_sym(m_state.get(), xkb_keycode_t(keyCode));
    char name[64];
    if (symbol == XKB_KEY_NoSymbol || xkb_keysym_get_name(symbol, name, sizeof name) <= 0)
        return {};
    return QString::fromUtf8(name);
}

QString PTKeyCodeTranslator::keyboardLayout() const {
    return m_keymap ? QString::fromUtf8(xkb_keymap_layout_get_name(m_keymap.get(), m_layoutIndex))
                    : QString();
}

QString PTKeyCodeTranslator::description() const {
    return QStringLiteral("PTKeyCodeTranslator layout=%1 (%2)").arg(keyboardLayout(), QStringLiteral("uchr"));
}
