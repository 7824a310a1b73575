#pragma once

#include <QMessageBox>
#include <QObject>
#include <QPointer>
#include <QString>

class ApplicationModel;
class CalDavAccounts;
class CalendarController;
class QPushButton;
class QWidget;
class UndoManager;

// Removes a CalDAV account after asking, modal to the window, whether its calendars stay on this computer
// as copies no longer synced, or go with it. Removing them is one step to undo, which brings them back as
// calendars of this computer.
class RemoveAccountController : public QObject {
    Q_OBJECT
public:
    enum class Choice { KeepCopies, RemoveCalendars };

    RemoveAccountController(ApplicationModel& model, CalDavAccounts& accounts,
                            CalendarController& calendarController, UndoManager& undoManager,
                            QObject* parent = nullptr);
    ~RemoveAccountController() override;

    // False, asking nothing, for an account that is not there.
    bool showRemoveAccount(const QString& accountId, QWidget* window);
    void removeAccount(const QString& accountId, Choice choice);

    // While asking: the question and its buttons.
    QMessageBox* question() const { return m_question; }
    QPushButton* keepCopiesButton() const { return m_keepCopies; }
    QPushButton* removeCalendarsButton() const { return m_removeCalendars; }

private:
    ApplicationModel& m_model;
    CalDavAccounts& m_accounts;
    CalendarController& m_calendarController;
    UndoManager& m_undoManager;
    QPointer<QMessageBox> m_question;
    QPushButton* m_keepCopies = nullptr;
    QPushButton* m_removeCalendars = nullptr;
};
