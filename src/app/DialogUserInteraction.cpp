#include "DialogUserInteraction.h"

#include <QGuiApplication>
#include <QMessageBox>
#include <QPushButton>

namespace {

void showAlert(QWidget* window, QMessageBox::Icon icon, const QString& text, const QString& informativeText) {
    QMessageBox box(icon, QGuiApplication::applicationDisplayName(), text, QMessageBox::Ok, window);
    box.setInformativeText(informativeText);
    box.setWindowModality(Qt::WindowModal);
    box.exec();
}

} // namespace

void DialogUserInteraction::showStoreError(const StoreError& error) {
    showAlert(m_window, QMessageBox::Critical, error.description, error.recoverySuggestion);
}

void DialogUserInteraction::showWarning(const QString& message, const QString& informativeText) {
    showAlert(m_window, QMessageBox::Warning, message, informativeText);
}

void DialogUserInteraction::showNotice(const QString& title, const QString& text) {
    showAlert(m_window, QMessageBox::Information, title, text);
}

std::optional<CalSpan> DialogUserInteraction::askForSpan(const QString& title, const QString& message) {
    QMessageBox box(QMessageBox::Question, QGuiApplication::applicationDisplayName(), title,
                    QMessageBox::NoButton, m_window);
    box.setInformativeText(message);
    box.setWindowModality(Qt::WindowModal);
    QPushButton* thisOne = box.addButton(tr("Only this occurrence"), QMessageBox::AcceptRole);
    QPushButton* cancel = box.addButton(tr("Cancel"), QMessageBox::RejectRole);
    QPushButton* future = box.addButton(tr("All future occurrences"), QMessageBox::AcceptRole);
    box.setDefaultButton(thisOne);
    box.setEscapeButton(cancel);
    box.exec();
    if (box.clickedButton() == thisOne)
        return CalSpan::ThisEvent;
    if (box.clickedButton() == future)
        return CalSpan::FutureEvents;
    return std::nullopt;
}

UserInteraction::EditConflictAnswer DialogUserInteraction::askKeepMineOrTheirs(const QString& title,
                                                                               const QString& message) {
    QMessageBox box(QMessageBox::Warning, QGuiApplication::applicationDisplayName(), title,
                    QMessageBox::NoButton, m_window);
    // The message names an event, whose title a file gave: never read as markup.
    box.setTextFormat(Qt::PlainText);
    box.setInformativeText(message);
    box.setWindowModality(Qt::WindowModal);
    QPushButton* mine = box.addButton(tr("Keep My Version"), QMessageBox::DestructiveRole);
    QPushButton* theirs = box.addButton(tr("Take Theirs"), QMessageBox::AcceptRole);
    QPushButton* cancel = box.addButton(QMessageBox::Cancel);
    box.setDefaultButton(cancel);
    box.setEscapeButton(cancel);
    box.exec();
    if (box.clickedButton() == mine)
        return EditConflictAnswer::KeepMine;
    if (box.clickedButton() == theirs)
        return EditConflictAnswer::TakeTheirs;
    return EditConflictAnswer::Cancel;
}

bool DialogUserInteraction::askToOverwrite(const QString& message, const QString& overwriteButton) {
    QMessageBox box(QMessageBox::Warning, QGuiApplication::applicationDisplayName(), message,
                    QMessageBox::NoButton, m_window);
    box.setTextFormat(Qt::PlainText); // names an event, whose title a file gave
    box.setWindowModality(Qt::WindowModal);
    QPushButton* overwrite = box.addButton(overwriteButton, QMessageBox::DestructiveRole);
    QPushButton* cancel = box.addButton(QMessageBox::Cancel);
    box.setDefaultButton(cancel);
    box.setEscapeButton(cancel);
    box.exec();
    return box.clickedButton() == overwrite;
}
