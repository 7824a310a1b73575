#include "EditCalendarController.h"

#include "CalendarColorButton.h"
#include "base/Logger.h"
#include "base/UndoManager.h"
#include "store/CalendarController.h"
#include "store/describe.h"

#include <QDialogButtonBox>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

EditCalendarController::EditCalendarController(CalendarController& calendarController,
                                               UndoManager& undoManager, QWidget* parent)
    : QDialog(parent), m_calendarController(calendarController), m_undoManager(undoManager) {
    buildInterface();
}

void EditCalendarController::buildInterface() {
    setObjectName(QStringLiteral("editCalendar"));
    setWindowModality(Qt::WindowModal);
    m_titleField = new QLineEdit(this);
    m_titleField->setAccessibleName(tr("Title"));
    m_titleField->setMinimumWidth(260);
    connect(m_titleField, &QLineEdit::textChanged, this, &EditCalendarController::updateOkButton);
    m_colorButton = new CalendarColorButton(this);
    m_colorButton->setAccessibleName(tr("Color"));
    m_colorButton->setText(tr("Choose…"));
    m_errorLabel = new QLabel(this);
    m_errorLabel->setAccessibleName(tr("Error"));
    m_errorLabel->setWordWrap(true);
    m_errorLabel->setTextInteractionFlags(Qt::TextSelectableByMouse);
    m_errorLabel->setStyleSheet(QStringLiteral("color: #B00020;"));
    m_errorLabel->hide();

    m_buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    m_okButton = m_buttons->button(QDialogButtonBox::Ok);
    m_okButton->setDefault(true);
    m_okButton->setAccessibleName(tr("OK"));
    m_buttons->button(QDialogButtonBox::Cancel)->setAccessibleName(tr("Cancel"));
    connect(m_okButton, &QPushButton::clicked, this, &EditCalendarController::okAction);
    connect(m_buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);

    auto* form = new QFormLayout;
    auto* titleLabel = new QLabel(tr("&Title:"), this);
    titleLabel->setBuddy(m_titleField);
    form->addRow(titleLabel, m_titleField);
    auto* colorLabel = new QLabel(tr("&Color:"), this);
    colorLabel->setBuddy(m_colorButton);
    auto* colorRow = new QHBoxLayout;
    colorRow->addWidget(m_colorButton);
    colorRow->addStretch();
    form->addRow(colorLabel, colorRow);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(form);
    layout->addWidget(m_errorLabel);
    layout->addWidget(m_buttons);
    layout->setSizeConstraint(QLayout::SetFixedSize);
    setTabOrder(m_titleField, m_colorButton);
    setTabOrder(m_colorButton, m_okButton);
    setTabOrder(m_okButton, m_buttons->button(QDialogButtonBox::Cancel));
}

void EditCalendarController::showNewCalendar(QWidget* window) {
    showCalendar(m_calendarController.createNewCalendar(), true, window);
}

void EditCalendarController::showEditCalendar(const CalCalendar& calendar, QWidget* window) {
    showCalendar(calendar.copy(), false, window);
}

void EditCalendarController::showCalendar(std::shared_ptr<CalCalendar> calendar, bool isNew,
                                          QWidget* window) {
    m_calendar = std::move(calendar);
    m_shouldCreateNewCalendar = isNew;
    if (window && parentWidget() != window)
        setParent(window, windowFlags());
    setWindowTitle(isNew ? tr("New Calendar") : tr("Edit Calendar"));
    setAccessibleName(windowTitle());
    m_titleField->setText(m_calendar->title);
    m_titleField->selectAll();
    m_colorButton->setColor(QColor(m_calendar->color));
    m_errorLabel->clear();
    m_errorLabel->hide();
    updateOkButton();
    open();
    m_titleField->setFocus();
}

void EditCalendarController::updateOkButton() {
    // A calendar needs a name to be told apart in the outline and in typed lines.
    m_okButton->setEnabled(!m_titleField->text().trimmed().isEmpty());
}

void EditCalendarController::okAction() {
    if (!m_calendar || !m_okButton->isEnabled())
        return;
    m_calendar->title = m_titleField->text().trimmed();
    m_calendar->color = m_colorButton->color().name().toUpper();
    VL_LOG(LACTIONS, Logger::LOG_INFO_LEVEL, describe(*m_calendar));
    const std::optional<StoreError> error = m_shouldCreateNewCalendar
                                                ? m_calendarController.addCalendar(*m_calendar)
                                                : m_calendarController.saveCalendar(*m_calendar);
    if (error) {
        m_errorLabel->setText(error->recoverySuggestion.isEmpty()
                                  ? error->description
                                  : error->description + u'\n' + error->recoverySuggestion);
        m_errorLabel->show();
        return;
    }
    m_undoManager.setActionName(m_shouldCreateNewCalendar ? tr("New Calendar") : tr("Edit Calendar"));
    accept();
}
