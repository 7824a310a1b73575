#include "PreferenceController.h"

#include "DistributedNotificationCenter.h"
#include "GlobalHotKeyController.h"
#include "PreferenceKeys.h"
#include "ShortcutRecorder.h"
#include "accounts/SyncSchedule.h"
#include "base/InternalInconsistency.h"
#include "base/Logger.h"
#include "base/UserDefaults.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QRegularExpression>
#include <QSpinBox>
#include <QVBoxLayout>

using namespace PreferenceKeys;

namespace {

// Two radio buttons that exclude each other, in a titled box.
QGroupBox* choiceBox(const QString& title, QRadioButton* first, QRadioButton* second, QWidget* parent) {
    auto* box = new QGroupBox(title, parent);
    auto* layout = new QVBoxLayout(box);
    layout->addWidget(first);
    layout->addWidget(second);
    auto* group = new QButtonGroup(box);
    group->addButton(first);
    group->addButton(second);
    return box;
}

} // namespace

PreferenceController::PreferenceController(UserDefaults& userDefaults,
                                           DistributedNotificationCenter& distributedNotificationCenter,
                                           GlobalHotKeyController* hotKeyController, QWidget* parent)
    : QDialog(parent), m_shortcutRecorderControl(new ShortcutRecorder(this)),
      m_time12hButtonCell(new QRadioButton(tr("&12-hour (1:30 PM)"), this)),
      m_time24hButtonCell(new QRadioButton(tr("&24-hour (13:30)"), this)),
      m_monthDayButtonCell(new QRadioButton(tr("&Month before day (12/31)"), this)),
      m_dayMonthButtonCell(new QRadioButton(tr("&Day before month (31/12)"), this)),
      m_runHelperCheckBox(new QCheckBox(tr("&Keep the shortcut working while Verdalune is closed"), this)),
      m_shortcutStatusLabel(new QLabel(this)), m_myAddressesField(new QLineEdit(this)),
      m_syncIntervalField(new QSpinBox(this)), m_userDefaults(userDefaults),
      m_distributedNotificationCenter(distributedNotificationCenter), m_hotKeyController(hotKeyController) {
    setObjectName(QStringLiteral("preferences"));
    setWindowTitle(tr("Preferences"));
    m_runHelperCheckBox->setToolTip(tr("Starts a small helper at login that owns the shortcut"));
    m_shortcutStatusLabel->setWordWrap(true);
    m_shortcutStatusLabel->setAccessibleName(tr("Shortcut status"));

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(choiceBox(tr("Clock"), m_time12hButtonCell, m_time24hButtonCell, this));
    layout->addWidget(
        choiceBox(tr("Dates typed as numbers"), m_monthDayButtonCell, m_dayMonthButtonCell, this));
    auto* shortcutBox = new QGroupBox(tr("New event from anywhere"), this);
    auto* form = new QFormLayout(shortcutBox);
    auto* shortcutLabel = new QLabel(tr("&Shortcut:"), shortcutBox);
    shortcutLabel->setBuddy(m_shortcutRecorderControl);
    form->addRow(shortcutLabel, m_shortcutRecorderControl);
    form->addRow(m_shortcutStatusLabel);
    form->addRow(m_runHelperCheckBox);
    layout->addWidget(shortcutBox);
    auto* invitationsBox = new QGroupBox(tr("Invitations"), this);
    auto* invitationsForm = new QFormLayout(invitationsBox);
    auto* addressesLabel = new QLabel(tr("My &addresses:"), invitationsBox);
    addressesLabel->setBuddy(m_myAddressesField);
    m_myAddressesField->setPlaceholderText(tr("you@example.org, …"));
    m_myAddressesField->setToolTip(tr("The e-mail addresses by which invitations name you, so that you "
                                      "can answer them; separated by commas"));
    invitationsForm->addRow(addressesLabel, m_myAddressesField);
    layout->addWidget(invitationsBox);
    layout->addWidget(syncBox());
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Close, this);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    layout->addWidget(buttons);

    connect(m_time12hButtonCell, &QRadioButton::clicked, this, &PreferenceController::timeMode12HAction);
    connect(m_time24hButtonCell, &QRadioButton::clicked, this, &PreferenceController::timeMode24HAction);
    connect(m_monthDayButtonCell, &QRadioButton::clicked, this, &PreferenceController::monthDayAction);
    connect(m_dayMonthButtonCell, &QRadioButton::clicked, this, &PreferenceController::dayMonthAction);
    connect(m_shortcutRecorderControl, &ShortcutRecorder::keyComboDidChange, this,
            &PreferenceController::shortcutRecorderKeyComboDidChange);
    connect(m_runHelperCheckBox, &QCheckBox::clicked, this,
            &PreferenceController::setShouldRunHelperApplication);
    connect(m_myAddressesField, &QLineEdit::editingFinished, this, &PreferenceController::myAddressesAction);
    connect(m_syncIntervalField, &QSpinBox::valueChanged, this, &PreferenceController::syncIntervalAction);

    // Both derived properties follow the keys they are made of, whoever stores them.
    connect(&m_userDefaults, &UserDefaults::valueChanged, this, [this](const QString& key) {
        if (key == NEW_EVENT_HOT_KEY_CODE)
            emit hasNewEventShortcutChanged(hasNewEventShortcut());
        if (key == NEW_EVENT_HOT_KEY_CODE || key == RUN_HELPER_APPLICATION) {
            emit shouldRunHelperApplicationChanged(shouldRunHelperApplication());
            m_runHelperCheckBox->setChecked(shouldRunHelperApplication());
            m_runHelperCheckBox->setEnabled(hasNewEventShortcut());
        }
    });
    if (m_hotKeyController)
        connect(m_hotKeyController, &GlobalHotKeyController::registrationErrorChanged, this,
                &PreferenceController::showShortcutStatus);
    restoreDefaults();
}

bool PreferenceController::hasNewEventShortcut() const {
    bool isNumber = false;
    const int code = m_userDefaults.value(NEW_EVENT_HOT_KEY_CODE).toInt(&isNumber);
    return isNumber && code != -1;
}

bool PreferenceController::shouldRunHelperApplication() const {
    return m_userDefaults.value(RUN_HELPER_APPLICATION).toBool() && hasNewEventShortcut();
}

void PreferenceController::setShouldRunHelperApplication(bool shouldRun) {
    m_userDefaults.setValue(RUN_HELPER_APPLICATION, shouldRun);
}

void PreferenceController::timeMode12HAction() {
    VL_LOG(LACTIONS, Logger::LOG_INFO_LEVEL, QStringLiteral("timeMode12HAction"));
    m_userDefaults.setValue(TIME_DISPLAY_HOURS, 12);
    tellHelper();
}

void PreferenceController::timeMode24HAction() {
    VL_LOG(LACTIONS, Logger::LOG_INFO_LEVEL, QStringLiteral("timeMode24HAction"));
    m_userDefaults.setValue(TIME_DISPLAY_HOURS, 24);
    tellHelper();
}

void PreferenceController::monthDayAction() {
    VL_LOG(LACTIONS, Logger::LOG_INFO_LEVEL, QStringLiteral("monthDayAction"));
    m_userDefaults.setValue(DAY_MONTH_ORDER, 1);
    tellHelper();
}

void PreferenceController::dayMonthAction() {
    VL_LOG(LACTIONS, Logger::LOG_INFO_LEVEL, QStringLiteral("dayMonthAction"));
    m_userDefaults.setValue(DAY_MONTH_ORDER, 0);
    tellHelper();
}

void PreferenceController::shortcutRecorderKeyComboDidChange(unsigned int desktopFlags, int keyCode) {
    VL_LOG(LOTHER, Logger::LOG_INFO_LEVEL, QStringLiteral("code %1 flags %2").arg(keyCode).arg(desktopFlags));
    m_userDefaults.setValue(NEW_EVENT_HOT_KEY_CODE, keyCode);
    m_userDefaults.setValue(NEW_EVENT_HOT_KEY_FLAGS, desktopFlags);
    tellHelper();
}

void PreferenceController::myAddressesAction() {
    static const QRegularExpression SEPARATORS(QStringLiteral("[,;\\s]+"));
    const QStringList addresses = m_myAddressesField->text().split(SEPARATORS, Qt::SkipEmptyParts);
    m_userDefaults.setValue(MY_ADDRESSES, addresses);
    m_myAddressesField->setText(addresses.join(QStringLiteral(", ")));
    tellHelper();
}

// The field sits inside the sentence, wherever the language puts the number.
QGroupBox* PreferenceController::syncBox() {
    auto* box = new QGroupBox(tr("CalDAV accounts"), this);
    m_syncIntervalField->setRange(SyncSchedule::MIN_INTERVAL_MINUTES, SyncSchedule::MAX_INTERVAL_MINUTES);
    m_syncIntervalField->setAccessibleName(tr("Minutes between syncs"));
    m_syncIntervalField->setKeyboardTracking(false); // "30" is not a sync every 3 minutes on the way
    const QStringList parts = tr("Sync with servers &every %1 minutes").split(QStringLiteral("%1"));
    auto* row = new QHBoxLayout(box);
    auto* before = new QLabel(parts.value(0).trimmed(), box);
    before->setBuddy(m_syncIntervalField);
    row->addWidget(before);
    row->addWidget(m_syncIntervalField);
    row->addWidget(new QLabel(parts.value(1).trimmed(), box));
    row->addStretch();
    return box;
}

void PreferenceController::syncIntervalAction(int minutes) {
    if (minutes != syncIntervalMinutes())
        m_userDefaults.setValue(SyncSchedule::INTERVAL_KEY, minutes);
}

int PreferenceController::syncIntervalMinutes() const {
    bool isNumber = false;
    const int minutes = m_userDefaults.value(SyncSchedule::INTERVAL_KEY).toInt(&isNumber);
    return isNumber ? minutes : SyncSchedule::DEFAULT_INTERVAL_MINUTES;
}

// The running helper reads the settings file again when told; it follows the clock and the date order
// too, so those changes tell it as well.
void PreferenceController::tellHelper() {
    // On disk before the helper is told, since it reads the file.
    m_userDefaults.synchronize();
    m_distributedNotificationCenter.postNotificationName(DID_UPDATE_USER_DEFAULTS);
}

void PreferenceController::restoreDefaults() {
    m_shortcutRecorderControl->setKeyCombo(m_userDefaults.value(NEW_EVENT_HOT_KEY_FLAGS).toUInt(),
                                           m_userDefaults.value(NEW_EVENT_HOT_KEY_CODE).toInt());
    const bool twelve = m_userDefaults.value(TIME_DISPLAY_HOURS).toInt() == 12;
    m_time12hButtonCell->setChecked(twelve);
    m_time24hButtonCell->setChecked(!twelve);
    const QVariant order = m_userDefaults.value(DAY_MONTH_ORDER);
    VL_ASSERT(order.isValid(), QStringLiteral("has DAY_MONTH_ORDER_KEY default"));
    const bool dayFirst = order.toInt() == 0;
    m_dayMonthButtonCell->setChecked(dayFirst);
    m_monthDayButtonCell->setChecked(!dayFirst);
    m_runHelperCheckBox->setChecked(shouldRunHelperApplication());
    m_runHelperCheckBox->setEnabled(hasNewEventShortcut());
    m_myAddressesField->setText(m_userDefaults.value(MY_ADDRESSES).toStringList().join(QStringLiteral(", ")));
    m_syncIntervalField->setValue(syncIntervalMinutes());
    showShortcutStatus();
}

void PreferenceController::showEvent(QShowEvent* event) {
    VL_LOG(LOTHER, Logger::LOG_INFO_LEVEL, QStringLiteral("Preferences shown"));
    restoreDefaults();
    QDialog::showEvent(event);
}

void PreferenceController::showShortcutStatus() {
    QString status;
    if (m_hotKeyController && !m_hotKeyController->isShortcutAvailable())
        status = m_hotKeyController->unavailableReason();
    else if (m_hotKeyController)
        status = m_hotKeyController->registrationError();
    m_shortcutStatusLabel->setText(status);
    m_shortcutStatusLabel->setVisible(!status.isEmpty());
}
