#include "X11HotKeyBackend.h"

#include "HotKeyModifiers.h"
#include "PTHotKey.h"
#include "base/Logger.h"

#include <QSocketNotifier>

#include <array>
#include <cstdlib>
#include <memory>

namespace {
constexpr xcb_keysym_t numLockKeysym = 0xff7f;
constexpr uint8_t badAccess = 10;

template <typename T> using XcbReply = std::unique_ptr<T, decltype(&std::free)>;

// Command is Super, Option is Alt; the function-key flag has no X modifier.
uint16_t xModifiers(int hotKeyFlags) {
    uint16_t mask = 0;
    const std::array<std::pair<int, uint16_t>, 4> table{{
        {HotKeyModifiers::COMMAND, XCB_MOD_MASK_4},
        {HotKeyModifiers::OPTION, XCB_MOD_MASK_1},
        {HotKeyModifiers::CONTROL, XCB_MOD_MASK_CONTROL},
        {HotKeyModifiers::SHIFT, XCB_MOD_MASK_SHIFT},
    }};
    for (const auto& [flag, xMask] : table) {
        if (hotKeyFlags & flag)
            mask |= xMask;
    }
    return mask;
}
} // namespace

X11HotKeyBackend::X11HotKeyBackend(const QByteArray& displayName, QObject* parent)
    : HotKeyBackend(parent), m_displayName(displayName.isEmpty() ? qgetenv("DISPLAY") : displayName),
      m_connection(m_displayName) {
    if (!m_connection.isUsable())
        return;
    m_root = m_connection.rootWindow();
    m_numLockMask = findNumLockMask();
    m_notifier =
        std::make_unique<QSocketNotifier>(xcb_get_file_descriptor(m_connection.get()), QSocketNotifier::Read);
    connect(m_notifier.get(), &QSocketNotifier::activated, this, &X11HotKeyBackend::readEvents);
}

X11HotKeyBackend::~X11HotKeyBackend() = default;

QString X11HotKeyBackend::unavailableReason() const {
    if (m_connection.isUsable())
        return {};
    return tr("Global shortcuts need an X11 session or a desktop that offers them to applications; "
              "the X display \"%1\" could not be opened.")
        .arg(QString::fromLocal8Bit(m_displayName));
}

std::optional<QString> X11HotKeyBackend::registerHotKey(quint32 id, const PTHotKey& hotKey) {
    if (!m_connection.isUsable())
        return unavailableReason();
    const int keyCode = hotKey.keyCombo().keyCode();
    if (keyCode < 8 || keyCode > 255)
        return tr("The key with code %1 is not on this keyboard.").arg(keyCode);

    const Grab grab{xcb_keycode_t(keyCode), xModifiers(hotKey.keyCombo().modifiers())};
    QList<xcb_void_cookie_t> cookies;
    for (const uint16_t variant : lockVariants()) {
        cookies << xcb_grab_key_checked(m_connection.get(), 1, m_root, grab.modifiers | variant, grab.keyCode,
                                        XCB_GRAB_MODE_ASYNC, XCB_GRAB_MODE_ASYNC);
    }
    std::optional<QString> refusal;
    for (const xcb_void_cookie_t cookie : cookies) {
        const XcbReply<xcb_generic_error_t> error(xcb_request_check(m_connection.get(), cookie), std::free);
        if (error && !refusal) {
            refusal = error->error_code == badAccess
                          ? tr("Another program already uses this key combination.")
                          : tr("The X server refused the key combination (error %1).").arg(error->error_code);
        }
    }
    readQueuedEventsLater();
    if (refusal) {
        // The lock variants that were granted would catch the combination only half the time.
        ungrab(grab);
        return refusal;
    }
    m_grabs.insert(id, grab);
    return std::nullopt;
}

void X11HotKeyBackend::unregisterHotKey(quint32 id) {
    const auto found = m_grabs.constFind(id);
    if (found == m_grabs.cend())
        return;
    ungrab(*found);
    m_grabs.erase(found);
}

uint16_t X11HotKeyBackend::findNumLockMask() const {
    xcb_connection_t* connection = m_connection.get();
    const xcb_setup_t* setup = xcb_get_setup(connection);
    const int keyCount = setup->max_keycode - setup->min_keycode + 1;
    const XcbReply<xcb_get_keyboard_mapping_reply_t> keyboard(
        xcb_get_keyboard_mapping_reply(
            connection, xcb_get_keyboard_mapping(connection, setup->min_keycode, uint8_t(keyCount)), nullptr),
        std::free);
    const XcbReply<xcb_get_modifier_mapping_reply_t> modifiers(
        xcb_get_modifier_mapping_reply(connection, xcb_get_modifier_mapping(connection), nullptr), std::free);
    if (!keyboard || !modifiers)
        return 0;

    const xcb_keysym_t* keysyms = xcb_get_keyboard_mapping_keysyms(keyboard.get());
    const int perKey = keyboard->keysyms_per_keycode;
    const xcb_keycode_t* modifierKeys = xcb_get_modifier_mapping_keycodes(modifiers.get());
    const int perModifier = modifiers->keycodes_per_modifier;
    for (int modifier = 0; modifier < 8; ++modifier) {
        for (int k = 0; k < perModifier; ++k) {
            const int index = modifierKeys[modifier * perModifier + k] - setup->min_keycode;
            if (index < 0 || index >= keyCount)
                continue;
            for (int level = 0; level < perKey; ++level) {
                if (keysyms[index * perKey + level] == numLockKeysym)
                    return uint16_t(1u << modifier);
            }
        }
    }
    return 0;
}

QList<uint16_t> X11HotKeyBackend::lockVariants() const {
    QList<uint16_t> variants{0, XCB_MOD_MASK_LOCK};
    if (m_numLockMask != 0)
        variants << m_numLockMask << uint16_t(m_numLockMask | XCB_MOD_MASK_LOCK);
    return variants;
}

void X11HotKeyBackend::ungrab(const Grab& grab) {
    // Ungrabbing a variant that another client holds does nothing, so every variant can be released.
    for (const uint16_t variant : lockVariants())
        xcb_ungrab_key(m_connection.get(), grab.keyCode, m_root, grab.modifiers | variant);
    // Waits until the server has released the keys, so that another program can take them at once.
    std::free(
        xcb_get_input_focus_reply(m_connection.get(), xcb_get_input_focus(m_connection.get()), nullptr));
    readQueuedEventsLater();
}

void X11HotKeyBackend::readQueuedEventsLater() {
    // Waiting for a reply reads from the connection, and any event that came with it now waits in the
    // queue where the socket notifier does not see it.
    QMetaObject::invokeMethod(this, &X11HotKeyBackend::readEvents, Qt::QueuedConnection);
}

void X11HotKeyBackend::readEvents() {
    while (const XcbReply<xcb_generic_event_t> event{xcb_poll_for_event(m_connection.get()), std::free}) {
        if ((event->response_type & 0x7f) == XCB_KEY_PRESS) {
            const auto* press = reinterpret_cast<const xcb_key_press_event_t*>(event.get());
            keyPressed(press->detail, press->state);
        }
    }
    if (!m_connection.isUsable()) {
        VL_LOG(LOTHER, Logger::LOG_ERROR_LEVEL,
               QStringLiteral("lost the X display %1; global shortcuts no longer work")
                   .arg(QString::fromLocal8Bit(m_displayName)));
        m_notifier->setEnabled(false);
    }
}

void X11HotKeyBackend::keyPressed(xcb_keycode_t keyCode, uint16_t state) {
    const uint16_t modifiers = state & 0xff & ~(XCB_MOD_MASK_LOCK | m_numLockMask);
    for (auto grab = m_grabs.cbegin(); grab != m_grabs.cend(); ++grab) {
        if (grab->keyCode == keyCode && grab->modifiers == modifiers) {
            emit pressed(grab.key());
            return;
        }
    }
}
