#pragma once

#include <QPushButton>

// Records a key combination for a global shortcut: click (or Space) and type it. Escape cancels,
// Backspace or Delete clears it. Reports desktop modifier flags and an X11 key code, −1 for none.
class ShortcutRecorder : public QPushButton {
    Q_OBJECT
public:
    explicit ShortcutRecorder(QWidget* parent = nullptr);

    // Shows a combination without reporting it.
    void setKeyCombo(unsigned int desktopFlags, int keyCode);
    unsigned int desktopFlags() const { return m_desktopFlags; }
    int keyCode() const { return m_keyCode; }
    bool isRecording() const { return m_recording; }

signals:
    void keyComboDidChange(unsigned int desktopFlags, int keyCode);

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;

private:
    void setRecording(bool recording);
    void showKeyCombo();
    void record(unsigned int desktopFlags, int keyCode);

    unsigned int m_desktopFlags = 0;
    int m_keyCode = -1;
    bool m_recording = false;
};
