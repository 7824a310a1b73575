#pragma once

#include "HotKeyBackend.h"
#include "XcbConnection.h"

#include <QByteArray>
#include <QHash>

#include <memory>

class QSocketNotifier;

// Hot keys as passive key grabs on the root window of an X display, through a connection of its own so
// that it works whatever Qt platform the program runs on. A grab is taken for every state of CapsLock and
// NumLock, which X would otherwise count as modifiers.
class X11HotKeyBackend : public HotKeyBackend {
    Q_OBJECT
public:
    // An empty name means $DISPLAY.
    explicit X11HotKeyBackend(const QByteArray& displayName = {}, QObject* parent = nullptr);
    ~X11HotKeyBackend() override;

    QString unavailableReason() const override;
    std::optional<QString> registerHotKey(quint32 id, const PTHotKey& hotKey) override;
    void unregisterHotKey(quint32 id) override;

private:
    struct Grab {
        xcb_keycode_t keyCode;
        uint16_t modifiers;
    };

    uint16_t findNumLockMask() const;
    QList<uint16_t> lockVariants() const;
    void ungrab(const Grab& grab);
    void readQueuedEventsLater();
    void readEvents();
    void keyPressed(xcb_keycode_t keyCode, uint16_t state);

    QByteArray m_displayName;
    XcbConnection m_connection;
    xcb_window_t m_root = XCB_NONE;
    uint16_t m_numLockMask = 0;
    std::unique_ptr<QSocketNotifier> m_notifier;
    QHash<quint32, Grab> m_grabs;
};
