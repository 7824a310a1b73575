#pragma once

#include <QObject>
#include <QTimer>

class CalDavAccounts;
class UserDefaults;

// When the accounts sync: at start, every "syncIntervalMinutes" (15 unless the user chose otherwise), and
// 10 seconds after a change made here, however many changes came in those seconds.
class SyncSchedule : public QObject {
    Q_OBJECT
public:
    static inline const QString INTERVAL_KEY = QStringLiteral("syncIntervalMinutes");
    static constexpr int DEFAULT_INTERVAL_MINUTES = 15;
    static constexpr int MIN_INTERVAL_MINUTES = 5;
    static constexpr int MAX_INTERVAL_MINUTES = 240;
    static constexpr int LOCAL_CHANGE_DELAY_MS = 10000;

    SyncSchedule(CalDavAccounts& accounts, UserDefaults& userDefaults, QObject* parent = nullptr);
    // Call for every change this program wrote to the store.
    void localChangeMade();

private:
    void applyInterval();

    CalDavAccounts& m_accounts;
    UserDefaults& m_userDefaults;
    QTimer m_periodic;
    QTimer m_afterChange;
};
