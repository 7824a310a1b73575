#pragma once

#include <QByteArray>

#include <xcb/xcb.h>

// One connection to an X server, closed with the object. A display that cannot be opened still gives an
// object, one that is not usable.
class XcbConnection {
public:
    // An empty name means $DISPLAY.
    explicit XcbConnection(const QByteArray& displayName);
    ~XcbConnection();
    XcbConnection(const XcbConnection&) = delete;
    XcbConnection& operator=(const XcbConnection&) = delete;

    xcb_connection_t* get() const { return m_connection; }
    bool isUsable() const;
    // The root window of the display's default screen.
    xcb_window_t rootWindow() const;

private:
    xcb_connection_t* m_connection;
    int m_screenNumber = 0;
};
