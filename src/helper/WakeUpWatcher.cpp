#include "WakeUpWatcher.h"

#include <QDBusConnection>

WakeUpWatcher::WakeUpWatcher(QObject* parent) : QObject(parent) {
    QDBusConnection::systemBus().connect(
        QStringLiteral("org.freedesktop.login1"), QStringLiteral("/org/freedesktop/login1"),
        QStringLiteral("org.freedesktop.login1.Manager"), QStringLiteral("PrepareForSleep"), this,
        SLOT(onPrepareForSleep(bool)));
}

void WakeUpWatcher::onPrepareForSleep(bool sleeping) {
    if (!sleeping)
        emit wokeUp();
}
