#pragma once

#include <QHash>
#include <QObject>
#include <QPointer>

class QWidget;

// Gives the keyboard back once a dialog over `window` closes, whichever dialog it was and however it
// ended, so that the shortcuts (Ctrl+Z) act at once: to `target` when the window was in front as the
// dialog opened, else to the dialog beside the window that was (the event editor asking which
// occurrences). Qt alone would return the keys to the field that had them, or leave them nowhere when
// no window is activated again.
class DialogFocusReturn : public QObject {
    Q_OBJECT
public:
    DialogFocusReturn(QWidget& window, QWidget& target);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void watch(QObject* child);
    bool isDialogOfWindow(const QObject* object) const;
    void returnFocus(const QPointer<QWidget>& openedOver);

    QWidget& m_window;
    QWidget& m_target;
    // For each open dialog, the window that was in front as it opened.
    QHash<const QObject*, QPointer<QWidget>> m_openedOver;
};
