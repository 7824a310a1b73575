#pragma once

#include <QObject>
#include <QSet>

class ApplicationModel;
class CalDavAccounts;

// Switches on the calendars an account brings, when they first appear in the store: the user added the
// account to see them. Calendars known at start keep the user's choice, as does one switched off later.
class NewAccountCalendars : public QObject {
    Q_OBJECT
public:
    NewAccountCalendars(ApplicationModel& model, CalDavAccounts& accounts, QObject* parent = nullptr);

private:
    void noteNewCalendars();
    void enableArrived();

    ApplicationModel& m_model;
    CalDavAccounts& m_accounts;
    QSet<QString> m_known;
    QSet<QString> m_awaited;
};
