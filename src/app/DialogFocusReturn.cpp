#include "DialogFocusReturn.h"

#include <QApplication>
#include <QChildEvent>
#include <QTimer>
#include <QWidget>

DialogFocusReturn::DialogFocusReturn(QWidget& window, QWidget& target)
    : QObject(&window), m_window(window), m_target(target) {
    // Dialogs are made, or given the window as parent, long after this: the window reports each one.
    m_window.installEventFilter(this);
    for (QObject* child : m_window.children())
        watch(child);
}

void DialogFocusReturn::watch(QObject* child) {
    // Still being constructed at this point: whether it is a dialog shows only when it is shown.
    if (child->isWidgetType() && child != this)
        child->installEventFilter(this);
}

bool DialogFocusReturn::isDialogOfWindow(const QObject* object) const {
    if (!object->isWidgetType())
        return false;
    const auto* widget = static_cast<const QWidget*>(object);
    const Qt::WindowType type = widget->windowType();
    return widget->parentWidget() == &m_window && (type == Qt::Dialog || type == Qt::Sheet);
}

bool DialogFocusReturn::eventFilter(QObject* watched, QEvent* event) {
    const QEvent::Type type = event->type();
    if (watched == &m_window && type == QEvent::ChildAdded) {
        watch(static_cast<QChildEvent*>(event)->child());
    } else if ((type == QEvent::Show || type == QEvent::Hide) && !event->spontaneous() &&
               isDialogOfWindow(watched)) {
        // Spontaneous ones are the desktop's, as the window is minimised and restored: the dialog neither
        // opens nor closes then.
        if (type == QEvent::Show) {
            // Before the dialog itself is activated.
            m_openedOver.insert(watched, QApplication::activeWindow());
        } else {
            // After Qt's own focus restoring, which runs as the dialog goes and as a window is activated.
            QTimer::singleShot(0, this,
                               [this, openedOver = m_openedOver.take(watched)] { returnFocus(openedOver); });
        }
    }
    return QObject::eventFilter(watched, event);
}

void DialogFocusReturn::returnFocus(const QPointer<QWidget>& openedOver) {
    // The next question is up already (a store error after the question which occurrences).
    if (QApplication::activeModalWidget())
        return;
    if (openedOver && openedOver != &m_window && openedOver->isVisible()) {
        openedOver->activateWindow();
        return;
    }
    // A dialog that closed by itself (an event removed by another program) while the user is in another
    // program does not bring the window to the front; the timeline has the keys once the user is back.
    if (QGuiApplication::applicationState() == Qt::ApplicationActive)
        m_window.activateWindow();
    m_target.setFocus(Qt::OtherFocusReason);
}
