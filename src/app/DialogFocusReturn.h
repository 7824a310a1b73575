#pragma once

#include <QObject>

class QWidget;

// Gives the keyboard back to `target` once the last dialog over `window` has closed, whichever dialog it
// was and however it ended, so that the window's shortcuts (Ctrl+Z) act at once. Qt alone would return
// focus to where it was before the dialog, or nowhere when the window is not activated again.
class DialogFocusReturn : public QObject {
    Q_OBJECT
public:
    DialogFocusReturn(QWidget& window, QWidget& target);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void watch(QObject* child);
    bool isDialogOfWindow(const QObject* object) const;
    void returnFocus();

    QWidget& m_window;
    QWidget& m_target;
};
