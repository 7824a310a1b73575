#include "AccountSyncStatus.h"

#include <QCoreApplication>
#include <QLocale>

namespace {
QString translated(const char* text) {
    return QCoreApplication::translate("AccountSyncStatus", text);
}
} // namespace

QString AccountSyncStatus::text(const QDateTime& now) const {
    switch (state) {
    case State::NotYet:
        return translated(QT_TRANSLATE_NOOP("AccountSyncStatus", "Not synced yet"));
    case State::Syncing:
        return itemsCopied > 0
                   ? translated(QT_TRANSLATE_NOOP("AccountSyncStatus", "Syncing… %1 copied")).arg(itemsCopied)
                   : translated(QT_TRANSLATE_NOOP("AccountSyncStatus", "Syncing…"));
    case State::Offline:
        return translated(QT_TRANSLATE_NOOP("AccountSyncStatus", "Offline"));
    case State::Failed:
        return reason;
    case State::Synced:
        break;
    }
    if (!conflicts.isEmpty())
        return conflicts.size() == 1
                   ? translated(QT_TRANSLATE_NOOP("AccountSyncStatus", "An event changed on both sides"))
                   : translated(QT_TRANSLATE_NOOP("AccountSyncStatus", "%1 events changed on both sides"))
                         .arg(conflicts.size());
    const qint64 minutes = lastSynced.secsTo(now) / 60;
    if (minutes < 1)
        return translated(QT_TRANSLATE_NOOP("AccountSyncStatus", "Synced just now"));
    if (minutes == 1)
        return translated(QT_TRANSLATE_NOOP("AccountSyncStatus", "Synced a minute ago"));
    if (minutes < 60)
        return translated(QT_TRANSLATE_NOOP("AccountSyncStatus", "Synced %1 minutes ago")).arg(minutes);
    const QLocale locale;
    if (lastSynced.date() == now.date())
        return translated(QT_TRANSLATE_NOOP("AccountSyncStatus", "Synced at %1"))
            .arg(locale.toString(lastSynced.time(), QLocale::ShortFormat));
    return translated(QT_TRANSLATE_NOOP("AccountSyncStatus", "Synced on %1"))
        .arg(locale.toString(lastSynced.date(), QLocale::ShortFormat));
}
