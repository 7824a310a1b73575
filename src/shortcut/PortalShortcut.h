#pragma once

#include <QDBusArgument>
#include <QList>
#include <QMetaType>
#include <QString>
#include <QVariantMap>

// One entry of the desktop portal's list of global shortcuts: an id and its properties ("description",
// "preferred_trigger"), marshalled as (sa{sv}).
struct PortalShortcut {
    QString id;
    QVariantMap properties;

    // Makes the list type known to D-Bus; needed once before a list is sent or received.
    static void registerMetaType();
};

QDBusArgument& operator<<(QDBusArgument& argument, const PortalShortcut& shortcut);
const QDBusArgument& operator>>(const QDBusArgument& argument, PortalShortcut& shortcut);

Q_DECLARE_METATYPE(PortalShortcut)
