#include "AddCalDavAccountDialog.h"

#include "accounts/CalDavAccounts.h"
#include "base/Logger.h"
#include "base/TextColors.h"

#include <QDialogButtonBox>
#include <QFormLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

AddCalDavAccountDialog::AddCalDavAccountDialog(CalDavAccounts& accounts, QWidget* parent)
    : QDialog(parent), m_accounts(accounts) {
    buildInterface();
    connect(&m_accounts, &CalDavAccounts::addingFailed, this, &AddCalDavAccountDialog::addingFailed);
    connect(&m_accounts, &CalDavAccounts::accountAdded, this, &AddCalDavAccountDialog::accountAdded);
}

void AddCalDavAccountDialog::buildInterface() {
    setObjectName(QStringLiteral("addCalDavAccount"));
    setWindowTitle(tr("Add CalDAV Account"));
    setAccessibleName(windowTitle());
    setWindowModality(Qt::WindowModal);
    m_serverField = new QLineEdit(this);
    m_serverField->setAccessibleName(tr("Server address"));
    m_serverField->setPlaceholderText(tr("dav.example.org"));
    m_serverField->setMinimumWidth(300);
    m_userNameField = new QLineEdit(this);
    m_userNameField->setAccessibleName(tr("User name"));
    m_passwordField = new QLineEdit(this);
    m_passwordField->setAccessibleName(tr("Password"));
    m_passwordField->setEchoMode(QLineEdit::Password);
    for (QLineEdit* field : {m_serverField, m_userNameField})
        connect(field, &QLineEdit::textChanged, this, &AddCalDavAccountDialog::updateAddButton);
    m_statusLabel = new QLabel(this);
    m_statusLabel->setAccessibleName(tr("Status"));
    m_statusLabel->setWordWrap(true);
    m_statusLabel->setTextFormat(Qt::PlainText); // the server's or vdirsyncer's words
    m_statusLabel->setTextInteractionFlags(Qt::TextSelectableByMouse);
    m_statusLabel->hide();

    m_buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    m_addButton = m_buttons->button(QDialogButtonBox::Ok);
    m_addButton->setText(tr("Add"));
    m_addButton->setAccessibleName(tr("Add"));
    m_addButton->setDefault(true);
    m_buttons->button(QDialogButtonBox::Cancel)->setAccessibleName(tr("Cancel"));
    connect(m_addButton, &QPushButton::clicked, this, &AddCalDavAccountDialog::addAction);
    connect(m_buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);

    auto* form = new QFormLayout;
    const std::pair<QString, QLineEdit*> rows[] = {
        {tr("&Server address:"), m_serverField},
        {tr("&User name:"), m_userNameField},
        {tr("&Password:"), m_passwordField},
    };
    for (const auto& [text, field] : rows) {
        auto* label = new QLabel(text, this);
        label->setBuddy(field);
        form->addRow(label, field);
    }
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(form);
    if (CalDavAccounts::hasOwnVdirsyncerSetup()) {
        auto* note = new QLabel(tr("Your own vdirsyncer setup is left as it is."), this);
        note->setObjectName(QStringLiteral("ownSetupNote"));
        note->setWordWrap(true);
        layout->addWidget(note);
    }
    layout->addWidget(m_statusLabel);
    layout->addWidget(m_buttons);
    layout->setSizeConstraint(QLayout::SetFixedSize);
    setTabOrder(m_serverField, m_userNameField);
    setTabOrder(m_userNameField, m_passwordField);
    setTabOrder(m_passwordField, m_addButton);
    setTabOrder(m_addButton, m_buttons->button(QDialogButtonBox::Cancel));
}

void AddCalDavAccountDialog::showAddAccount(QWidget* window) {
    if (window && parentWidget() != window)
        setParent(window, windowFlags());
    if (!m_isWaiting) {
        for (QLineEdit* field : {m_serverField, m_userNameField, m_passwordField})
            field->clear();
        m_statusLabel->hide();
    }
    updateAddButton();
    open();
    if (!m_isWaiting)
        m_serverField->setFocus();
}

void AddCalDavAccountDialog::updateAddButton() {
    m_addButton->setEnabled(!m_isWaiting && !m_serverField->text().trimmed().isEmpty() &&
                            !m_userNameField->text().trimmed().isEmpty());
}

void AddCalDavAccountDialog::setWaiting(bool waiting) {
    m_isWaiting = waiting;
    for (QLineEdit* field : {m_serverField, m_userNameField, m_passwordField})
        field->setEnabled(!waiting);
    updateAddButton();
}

void AddCalDavAccountDialog::addAction() {
    if (!m_addButton->isEnabled())
        return;
    const QString url = CalDavAccounts::addressWithScheme(m_serverField->text());
    m_serverField->setText(url);
    VL_LOG(LACTIONS, Logger::LOG_INFO_LEVEL, QStringLiteral("add account at %1").arg(url));
    setWaiting(true);
    m_statusLabel->setPalette(palette());
    m_statusLabel->setText(tr("Connecting…"));
    m_statusLabel->show();
    // The accounts may answer before this call returns.
    m_accounts.addAccount(url, m_userNameField->text().trimmed(), m_passwordField->text());
}

void AddCalDavAccountDialog::addingFailed(const QString& message) {
    if (!m_isWaiting)
        return;
    setWaiting(false);
    QPalette warning = palette();
    warning.setColor(QPalette::WindowText, TextColors::forPalette(palette()).invalid);
    m_statusLabel->setPalette(warning);
    m_statusLabel->setText(message);
    m_statusLabel->show();
    m_serverField->setFocus();
    m_serverField->selectAll();
}

void AddCalDavAccountDialog::accountAdded() {
    if (!m_isWaiting)
        return;
    setWaiting(false);
    m_passwordField->clear(); // kept in the keyring, not here
    accept();
}
