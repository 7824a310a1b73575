#include "SyncSchedule.h"

#include "CalDavAccounts.h"
#include "base/UserDefaults.h"

#include <algorithm>

SyncSchedule::SyncSchedule(CalDavAccounts& accounts, UserDefaults& userDefaults, QObject* parent)
    : QObject(parent), m_accounts(accounts), m_userDefaults(userDefaults) {
    m_periodic.setTimerType(Qt::VeryCoarseTimer);
    connect(&m_periodic, &QTimer::timeout, &m_accounts, &CalDavAccounts::syncInBackground);
    m_afterChange.setSingleShot(true);
    m_afterChange.setInterval(LOCAL_CHANGE_DELAY_MS);
    connect(&m_afterChange, &QTimer::timeout, &m_accounts, &CalDavAccounts::syncInBackground);
    connect(&m_userDefaults, &UserDefaults::valueChanged, this, [this](const QString& key) {
        if (key == INTERVAL_KEY)
            applyInterval();
    });
    applyInterval();
    QTimer::singleShot(0, &m_accounts, &CalDavAccounts::syncInBackground);
}

void SyncSchedule::localChangeMade() {
    // The first change starts the wait; later ones ride along.
    if (!m_accounts.accounts().isEmpty() && !m_afterChange.isActive())
        m_afterChange.start();
}

void SyncSchedule::applyInterval() {
    const QVariant stored = m_userDefaults.value(INTERVAL_KEY);
    const int minutes = stored.isValid()
                            ? std::clamp(stored.toInt(), MIN_INTERVAL_MINUTES, MAX_INTERVAL_MINUTES)
                            : DEFAULT_INTERVAL_MINUTES;
    m_periodic.start(minutes * 60 * 1000);
}
