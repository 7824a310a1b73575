#pragma once

#include "accounts/AccountSyncStatus.h"

#include <QList>
#include <QMessageBox>
#include <QObject>
#include <QPointer>

class ApplicationModel;
class CalDavAccounts;
class QPushButton;
class QWidget;

// Asks about each event that a sync found changed both here and on the server: keep this computer's
// version or take the server's. One question at a time, over the window; a conflict asked about already is
// not asked again while it waits. Closed without a choice, the conflict stays until the next sync reports
// it again.
class SyncConflictController : public QObject {
    Q_OBJECT
public:
    SyncConflictController(ApplicationModel& model, CalDavAccounts& accounts, QObject* parent = nullptr);
    ~SyncConflictController() override;

    // The questions open over `window` once it is set.
    void setWindow(QWidget* window) { m_window = window; }
    void conflictFound(const SyncConflict& conflict);

    // The question shown now, with its buttons.
    QMessageBox* question() const { return m_question; }
    QPushButton* keepMineButton() const { return m_keepMine; }
    QPushButton* takeTheirsButton() const { return m_takeTheirs; }

private:
    void askNext();
    QString eventTitle(const SyncConflict& conflict) const;

    ApplicationModel& m_model;
    CalDavAccounts& m_accounts;
    QPointer<QWidget> m_window;
    QList<SyncConflict> m_waiting; // the first one is being asked about
    QPointer<QMessageBox> m_question;
    QPushButton* m_keepMine = nullptr;
    QPushButton* m_takeTheirs = nullptr;
};
