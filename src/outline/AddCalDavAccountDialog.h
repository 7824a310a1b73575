#pragma once

#include <QDialog>

class CalDavAccounts;
class QDialogButtonBox;
class QLabel;
class QLineEdit;
class QPushButton;

// The dialog that adds a CalDAV account, modal to the window it is shown on: the server's address, the
// user name and the password. While the accounts connect, the fields wait and the dialog says so; a
// failure is told in the dialog with the fields ready to be corrected, success closes it.
class AddCalDavAccountDialog : public QDialog {
    Q_OBJECT
public:
    explicit AddCalDavAccountDialog(CalDavAccounts& accounts, QWidget* parent = nullptr);

    // Empty fields, the server's address first.
    void showAddAccount(QWidget* window);
    void addAction();

    QLineEdit* serverField() const { return m_serverField; }
    QLineEdit* userNameField() const { return m_userNameField; }
    QLineEdit* passwordField() const { return m_passwordField; }
    // "Connecting…" or what went wrong.
    QLabel* statusLabel() const { return m_statusLabel; }
    QPushButton* addButton() const { return m_addButton; }

private:
    void buildInterface();
    void setWaiting(bool waiting);
    void addingFailed(const QString& message);
    void accountAdded();
    void updateAddButton();

    CalDavAccounts& m_accounts;
    bool m_isWaiting = false; // for the answer to this dialog's request
    QLineEdit* m_serverField = nullptr;
    QLineEdit* m_userNameField = nullptr;
    QLineEdit* m_passwordField = nullptr;
    QLabel* m_statusLabel = nullptr;
    QDialogButtonBox* m_buttons = nullptr;
    QPushButton* m_addButton = nullptr;
};
