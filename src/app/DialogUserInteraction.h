#pragma once

#include "store/UserInteraction.h"

#include <QCoreApplication>

class QWidget;

// Alerts and questions as dialogs over the main window, modal to it.
class DialogUserInteraction : public UserInteraction {
    Q_DECLARE_TR_FUNCTIONS(DialogUserInteraction)

public:
    // Dialogs open over `window` once it is set; before that they stand alone.
    void setWindow(QWidget* window) { m_window = window; }

    void showStoreError(const StoreError& error) override;
    void showWarning(const QString& message, const QString& informativeText) override;
    void showNotice(const QString& title, const QString& text) override;
    std::optional<CalSpan> askForSpan(const QString& title, const QString& message) override;
    EditConflictAnswer askKeepMineOrTheirs(const QString& title, const QString& message) override;
    bool askToOverwrite(const QString& message, const QString& overwriteButton) override;

private:
    QWidget* m_window = nullptr;
};
