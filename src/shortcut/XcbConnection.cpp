#include "XcbConnection.h"

XcbConnection::XcbConnection(const QByteArray& displayName)
    : m_connection(xcb_connect(displayName.isEmpty() ? nullptr : displayName.constData(), &m_screenNumber)) {}

XcbConnection::~XcbConnection() {
    xcb_disconnect(m_connection);
}

bool XcbConnection::isUsable() const {
    return xcb_connection_has_error(m_connection) == 0;
}

xcb_window_t XcbConnection::rootWindow() const {
    xcb_screen_iterator_t screens = xcb_setup_roots_iterator(xcb_get_setup(m_connection));
    for (int i = 0; i < m_screenNumber && screens.rem > 0; ++i)
        xcb_screen_next(&screens);
    return screens.data->root;
}
