#pragma once

// The two encodings of modifier keys: the desktop flags kept in the preferences and the hot-key flags a
// combination is registered with. Converting keeps the four modifiers and the function-key flag and drops
// every other bit.
class HotKeyModifiers {
public:
    static constexpr unsigned int DESKTOP_COMMAND = 0x100000;
    static constexpr unsigned int DESKTOP_OPTION = 0x80000;
    static constexpr unsigned int DESKTOP_CONTROL = 0x40000;
    static constexpr unsigned int DESKTOP_SHIFT = 0x20000;
    static constexpr unsigned int DESKTOP_FUNCTION = 0x800000;

    static constexpr int COMMAND = 0x100;
    static constexpr int OPTION = 0x800;
    static constexpr int CONTROL = 0x1000;
    static constexpr int SHIFT = 0x200;
    static constexpr int FUNCTION = 0x800000;

    static int fromDesktopFlags(unsigned int desktopFlags);
    static unsigned int toDesktopFlags(int hotKeyFlags);
};
