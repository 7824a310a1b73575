#include "FirstTimeLaunchPanelController.h"

#include "base/Logger.h"
#include "base/UserDefaults.h"
#include "shortcut/PreferenceKeys.h"

#include <QCheckBox>
#include <QDialogButtonBox>
#include <QKeyEvent>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

FirstTimeLaunchPanelController::FirstTimeLaunchPanelController(UserDefaults& userDefaults, QWidget* parent)
    : QDialog(parent), m_userDefaults(userDefaults),
      m_keepHelper(new QCheckBox(
          tr("&Keep the shortcut and reminders working while Verdalune is closed\n(starts at login)"))),
      m_showAgain(new QCheckBox(tr("Show this at every start"))) {
    setWindowTitle(tr("Welcome to Verdalune"));
    auto* text = new QLabel(
        tr("<h3>Your calendars on one timeline</h3>"
           "<p><b>Move and zoom.</b> Drag the timeline sideways or use Previous and Next in the tool bar; "
           "Ctrl+plus and Ctrl+minus zoom, Ctrl+L switches between the linear and the logarithmic "
           "scale.</p>"
           "<p><b>Double-click</b> anywhere on the timeline to make an event there, then type its "
           "title. Drag an event to move it, drag its ends to change its length.</p>"
           "<p><b>Type an event</b> with Ctrl+N in plain English, for example "
           "<i>tomorrow 12:30 to 13:30 lunch</i>, <i>work: mon 9am standup</i> or "
           "<i>fri to sun trip</i>.</p>"));
    text->setWordWrap(true);
    text->setTextFormat(Qt::RichText);
    m_keepHelper->setChecked(m_userDefaults.value(PreferenceKeys::RUN_HELPER_APPLICATION).toBool());
    m_keepHelper->setAccessibleName(
        tr("Keep the shortcut and reminders working while Verdalune is closed (starts at login)"));
    m_showAgain->setAccessibleName(m_showAgain->text());
    auto* buttons = new QDialogButtonBox;
    QPushButton* tips = buttons->addButton(tr("Show Keyboard Shortcuts"), QDialogButtonBox::ActionRole);
    QPushButton* close = buttons->addButton(QDialogButtonBox::Close);
    close->setDefault(true);
    m_close = close;
    connect(tips, &QPushButton::clicked, this, &FirstTimeLaunchPanelController::yesAction);
    connect(close, &QPushButton::clicked, this, &FirstTimeLaunchPanelController::noAction);
    connect(this, &QDialog::finished, this, &FirstTimeLaunchPanelController::keepChoice);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(text);
    layout->addWidget(m_keepHelper);
    layout->addWidget(m_showAgain);
    layout->addWidget(buttons);
    setFixedWidth(460);
}

void FirstTimeLaunchPanelController::showFirstTimeLaunchPanelUnlessSupressedCenterInWindow(QWidget* window) {
    if (!m_userDefaults.value(SHOW_KEY).toBool())
        return;
    adjustSize();
    const QRect frame = window->frameGeometry();
    move(frame.topLeft() + QPoint((frame.width() - width()) / 2, (frame.height() - height()) / 2));
    setWindowModality(Qt::WindowModal);
    open();
    m_close->setFocus(); // Return and Space close it, like Escape
}

void FirstTimeLaunchPanelController::yesAction() {
    VL_LOG(LACTIONS, Logger::LOG_INFO_LEVEL, QString());
    accept();
    emit tipsRequested();
}

void FirstTimeLaunchPanelController::keyPressEvent(QKeyEvent* event) {
    if (!event->matches(QKeySequence::New)) {
        QDialog::keyPressEvent(event);
        return;
    }
    accept();
    emit newEventRequested();
}

void FirstTimeLaunchPanelController::noAction() {
    reject();
}

// Closed in any way (also Escape), the panel stays away unless the user asked to see it again, and the
// helper runs as the box says.
void FirstTimeLaunchPanelController::keepChoice() {
    m_userDefaults.setValue(PreferenceKeys::RUN_HELPER_APPLICATION, m_keepHelper->isChecked());
    m_userDefaults.setValue(SHOW_KEY, m_showAgain->isChecked());
    emit closed();
}
