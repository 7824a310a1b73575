#include "NewAccountCalendars.h"

#include "accounts/CalDavAccounts.h"
#include "store/ApplicationModel.h"

namespace {
QSet<QString> calendarsOf(const QList<CalDavAccount>& accounts) {
    QSet<QString> uids;
    for (const CalDavAccount& account : accounts) {
        for (const QString& collection : account.collections)
            uids.insert(account.calendarUid(collection));
    }
    return uids;
}
} // namespace

NewAccountCalendars::NewAccountCalendars(ApplicationModel& model, CalDavAccounts& accounts, QObject* parent)
    : QObject(parent), m_model(model), m_accounts(accounts), m_known(calendarsOf(accounts.accounts())) {
    connect(&m_accounts, &CalDavAccounts::accountsChanged, this, &NewAccountCalendars::noteNewCalendars);
    connect(&m_model, &ApplicationModel::calendarsChanged, this, &NewAccountCalendars::enableArrived);
}

void NewAccountCalendars::noteNewCalendars() {
    const QSet<QString> now = calendarsOf(m_accounts.accounts());
    m_awaited += now - m_known;
    m_awaited &= now; // a removed account's calendars are no longer awaited
    m_known = now;
    enableArrived();
}

void NewAccountCalendars::enableArrived() {
    for (auto uid = m_awaited.begin(); uid != m_awaited.end();) {
        if (m_model.calendarWithUid(*uid)) {
            m_model.addEnabledCalendarUidsObject(*uid);
            uid = m_awaited.erase(uid);
        } else {
            ++uid;
        }
    }
}
