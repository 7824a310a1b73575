#include "RemoveAccountController.h"

#include "accounts/CalDavAccounts.h"
#include "base/Logger.h"
#include "base/UndoManager.h"
#include "store/ApplicationModel.h"
#include "store/CalendarController.h"

#include <QGuiApplication>
#include <QMessageBox>
#include <QPushButton>
#include <QScopeGuard>

RemoveAccountController::RemoveAccountController(ApplicationModel& model, CalDavAccounts& accounts,
                                                 CalendarController& calendarController,
                                                 UndoManager& undoManager, QObject* parent)
    : QObject(parent), m_model(model), m_accounts(accounts), m_calendarController(calendarController),
      m_undoManager(undoManager) {}

RemoveAccountController::~RemoveAccountController() {
    delete m_question;
}

bool RemoveAccountController::showRemoveAccount(const QString& accountId, QWidget* window) {
    const QList<CalDavAccount> accounts = m_accounts.accounts();
    const auto account =
        std::find_if(accounts.cbegin(), accounts.cend(),
                     [&](const CalDavAccount& candidate) { return candidate.id == accountId; });
    if (account == accounts.cend())
        return false;
    delete m_question;
    m_question =
        new QMessageBox(QMessageBox::Question, QGuiApplication::applicationDisplayName(),
                        tr("Remove the account “%1”?").arg(account->name), QMessageBox::NoButton, window);
    m_question->setObjectName(QStringLiteral("removeAccount"));
    m_question->setTextFormat(Qt::PlainText); // the name comes from the server's address
    m_question->setInformativeText(tr("Its calendars are no longer synced. Keep copies of them on this "
                                      "computer, or remove them from it too."));
    m_question->setWindowModality(Qt::WindowModal);
    m_keepCopies = m_question->addButton(tr("Keep Copies"), QMessageBox::AcceptRole);
    m_removeCalendars = m_question->addButton(tr("Remove Calendars"), QMessageBox::DestructiveRole);
    QPushButton* cancel = m_question->addButton(QMessageBox::Cancel);
    m_question->setDefaultButton(cancel);
    m_question->setEscapeButton(cancel);
    connect(m_question, &QMessageBox::finished, this, [this, accountId, box = m_question.data()] {
        box->deleteLater();
        if (box->clickedButton() == m_keepCopies)
            removeAccount(accountId, Choice::KeepCopies);
        else if (box->clickedButton() == m_removeCalendars)
            removeAccount(accountId, Choice::RemoveCalendars);
    });
    m_question->open();
    return true;
}

void RemoveAccountController::removeAccount(const QString& accountId, Choice choice) {
    CalendarList calendars;
    for (const CalDavAccount& account : m_accounts.accounts())
        if (account.id == accountId)
            for (const auto& calendar : m_model.calendars())
                if (account.ownsCalendar(calendar->uid))
                    calendars.append(calendar);
    VL_LOG(LACTIONS, Logger::LOG_INFO_LEVEL,
           QStringLiteral("account %1, %2 calendars %3")
               .arg(accountId,
                    choice == Choice::KeepCopies ? QStringLiteral("keeping") : QStringLiteral("removing"))
               .arg(calendars.size()));
    // Stopped first, so that no sync brings the calendars back.
    m_accounts.removeAccount(accountId);
    if (choice == Choice::KeepCopies || calendars.isEmpty())
        return;
    m_undoManager.beginUndoGrouping();
    const auto endGroup = qScopeGuard([this] { m_undoManager.endUndoGrouping(); });
    for (const auto& calendar : calendars)
        m_calendarController.removeCalendar(*calendar);
    m_undoManager.setActionName(tr("Remove Calendars"));
}
