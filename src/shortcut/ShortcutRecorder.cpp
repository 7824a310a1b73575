#include "ShortcutRecorder.h"

#include "HotKeyModifiers.h"
#include "PTKeyCombo.h"

#include <QKeyEvent>

namespace {

unsigned int desktopFlagsOf(Qt::KeyboardModifiers modifiers) {
    unsigned int flags = 0;
    if (modifiers & Qt::MetaModifier)
        flags |= HotKeyModifiers::DESKTOP_COMMAND;
    if (modifiers & Qt::AltModifier)
        flags |= HotKeyModifiers::DESKTOP_OPTION;
    if (modifiers & Qt::ControlModifier)
        flags |= HotKeyModifiers::DESKTOP_CONTROL;
    if (modifiers & Qt::ShiftModifier)
        flags |= HotKeyModifiers::DESKTOP_SHIFT;
    return flags;
}

bool isModifierKey(int key) {
    return key == Qt::Key_Control || key == Qt::Key_Shift || key == Qt::Key_Alt || key == Qt::Key_Meta ||
           key == Qt::Key_Super_L || key == Qt::Key_Super_R || key == Qt::Key_AltGr ||
           key == Qt::Key_Hyper_L || key == Qt::Key_Hyper_R;
}

} // namespace

ShortcutRecorder::ShortcutRecorder(QWidget* parent) : QPushButton(parent) {
    setFocusPolicy(Qt::StrongFocus);
    setAccessibleName(tr("New event shortcut"));
    connect(this, &QPushButton::clicked, this, [this] { setRecording(!m_recording); });
    showKeyCombo();
}

void ShortcutRecorder::setKeyCombo(unsigned int desktopFlags, int keyCode) {
    m_desktopFlags = keyCode < 0 ? 0 : desktopFlags;
    m_keyCode = keyCode < 0 ? -1 : keyCode;
    showKeyCombo();
}

void ShortcutRecorder::keyPressEvent(QKeyEvent* event) {
    if (!m_recording) {
        QPushButton::keyPressEvent(event);
        return;
    }
    event->accept();
    const int key = event->key();
    if (key == Qt::Key_Escape) {
        setRecording(false);
        return;
    }
    if ((key == Qt::Key_Backspace || key == Qt::Key_Delete) && event->modifiers() == Qt::NoModifier) {
        record(0, -1);
        return;
    }
    const unsigned int flags = desktopFlagsOf(event->modifiers());
    // Shift alone would take a character away from every program; a key the platform gives no code
    // for cannot be grabbed.
    if (isModifierKey(key) || (flags & ~HotKeyModifiers::DESKTOP_SHIFT) == 0 || event->nativeScanCode() == 0)
        return;
    record(flags, static_cast<int>(event->nativeScanCode()));
}

void ShortcutRecorder::focusOutEvent(QFocusEvent* event) {
    setRecording(false);
    QPushButton::focusOutEvent(event);
}

void ShortcutRecorder::setRecording(bool recording) {
    m_recording = recording;
    showKeyCombo();
}

void ShortcutRecorder::showKeyCombo() {
    if (m_recording) {
        setText(tr("Type the shortcut\u2026"));
        setToolTip(tr("Escape cancels, Backspace clears the shortcut"));
        return;
    }
    setText(m_keyCode < 0
                ? tr("Click to record a shortcut")
                : PTKeyCombo(m_keyCode, HotKeyModifiers::fromDesktopFlags(m_desktopFlags)).description());
    setToolTip(tr("Click, then type the new shortcut"));
}

void ShortcutRecorder::record(unsigned int desktopFlags, int keyCode) {
    m_recording = false;
    setKeyCombo(desktopFlags, keyCode);
    emit keyComboDidChange(m_desktopFlags, m_keyCode);
}
