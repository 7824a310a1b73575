#pragma once

#include <QDBusConnection>
#include <QDBusObjectPath>
#include <QDBusVirtualObject>
#include <QString>

// The few calls of the desktop portal's global shortcuts that the program makes, each written as a line
// to standard output for the test to read: "CreateSession", "BindShortcuts <id> <trigger>",
// "Close <session>". A test asks it, through the method Activate(s) of "com.pellowick.StandInPortal", to
// report a press of a bound shortcut.
class StandInPortal : public QDBusVirtualObject {
    Q_OBJECT
public:
    // With `refuseBinding`, every binding is answered as cancelled by the user.
    StandInPortal(const QDBusConnection& bus, bool refuseBinding);

    QString introspect(const QString& path) const override;
    bool handleMessage(const QDBusMessage& message, const QDBusConnection& connection) override;

private:
    // The path a request or session of the caller with the given token has.
    static QString objectPath(const QString& kind, const QDBusMessage& message, const QString& token);
    QDBusObjectPath answerLater(const QDBusMessage& message, const QVariantMap& options, uint response,
                                const QVariantMap& results);
    static void record(const QString& line);

    QDBusConnection m_bus;
    bool m_refuseBinding;
    QString m_boundSession;
};
