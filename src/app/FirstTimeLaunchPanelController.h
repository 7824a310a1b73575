#pragma once

#include <QDialog>

class QCheckBox;
class QPushButton;
class UserDefaults;

// The panel a new user sees over the window once: how the timeline moves, that a double click makes an
// event, and what the entry line understands. It asks whether the helper may run while the program is
// closed (it starts at login); the user may keep the panel for later starts.
class FirstTimeLaunchPanelController : public QDialog {
    Q_OBJECT
public:
    static inline const QString SHOW_KEY = QStringLiteral("showFirstTimeLaunchPanelKey");

    explicit FirstTimeLaunchPanelController(UserDefaults& userDefaults, QWidget* parent = nullptr);

    QCheckBox& keepHelperCheckBox() const { return *m_keepHelper; }
    QCheckBox& showAgainCheckBox() const { return *m_showAgain; }

    // Opens the panel modal to `window`, centred on it, unless the user no longer wants it. Returns at
    // once; the panel closes through its buttons or Escape.
    void showFirstTimeLaunchPanelUnlessSupressedCenterInWindow(QWidget* window);

signals:
    // "Show Keyboard Shortcuts" was chosen.
    void tipsRequested();
    // Ctrl+N, as the panel suggests: it closes, and a new event is to be typed.
    void newEventRequested();
    // Closed in any way, after its choices were stored.
    void closed();

protected:
    void keyPressEvent(QKeyEvent* event) override;

private:
    void yesAction();
    void noAction();
    void keepChoice();

    UserDefaults& m_userDefaults;
    QCheckBox* m_keepHelper;
    QCheckBox* m_showAgain;
    QPushButton* m_close = nullptr;
};
