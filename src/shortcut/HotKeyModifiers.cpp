#include "HotKeyModifiers.h"

#include <array>
#include <utility>

namespace {
// Pairs of (desktop flag, hot-key flag).
constexpr std::array<std::pair<unsigned int, int>, 5> flagPairs{{
    {HotKeyModifiers::DESKTOP_COMMAND, HotKeyModifiers::COMMAND},
    {HotKeyModifiers::DESKTOP_OPTION, HotKeyModifiers::OPTION},
    {HotKeyModifiers::DESKTOP_CONTROL, HotKeyModifiers::CONTROL},
    {HotKeyModifiers::DESKTOP_SHIFT, HotKeyModifiers::SHIFT},
    {HotKeyModifiers::DESKTOP_FUNCTION, HotKeyModifiers::FUNCTION},
}};
} // namespace

int HotKeyModifiers::fromDesktopFlags(unsigned int desktopFlags) {
    int flags = 0;
    for (const auto& [desktop, hotKey] : flagPairs) {
        if (desktopFlags & desktop)
            flags |= hotKey;
    }
    return flags;
}

unsigned int HotKeyModifiers::toDesktopFlags(int hotKeyFlags) {
    unsigned int flags = 0;
    for (const auto& [desktop, hotKey] : flagPairs) {
        if (hotKeyFlags & hotKey)
            flags |= desktop;
    }
    return flags;
}
