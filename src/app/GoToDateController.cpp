#include "GoToDateController.h"

#include "base/Logger.h"
#include "base/TextColors.h"
#include "dates/EventDescription.h"
#include "entry/ParsingController.h"
#include "timeline/view/TimelineView.h"
#include "timeline/view/TimelineViewController.h"

#include <QDateEdit>
#include <QDialog>
#include <QDialogButtonBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSignalBlocker>
#include <QVBoxLayout>

#include <functional>

namespace {

constexpr int SHEET_WIDTH = 420;

// A dialog whose Go and Escape go through the controller, which then ends it with done().
class GoToDateSheet : public QDialog {
public:
    GoToDateSheet(QWidget* window, std::function<void()> go, std::function<void()> cancel)
        : QDialog(window), m_go(std::move(go)), m_cancel(std::move(cancel)) {}

    void accept() override { m_go(); }
    // Escape, the Cancel button and closing the window.
    void reject() override { m_cancel(); }

private:
    std::function<void()> m_go;
    std::function<void()> m_cancel;
};

QString logText(const CalendarDate& date) {
    return date.toQDateTime().toLocalTime().toString(Qt::ISODate);
}

} // namespace

GoToDateController::GoToDateController(std::shared_ptr<EventDescription> eventDescription,
                                       ParsingController& parsingController,
                                       TimelineViewController& timelineViewController, QObject* parent)
    : QObject(parent), m_eventDescription(std::move(eventDescription)),
      m_parsingController(parsingController), m_timelineViewController(timelineViewController),
      m_date(timelineViewController.centeredDate()) {
    // The timeline's side of the binding: moved by other means, it changes the date.
    connect(&m_timelineViewController, &TimelineViewController::centeredDateChanged, this, [this] {
        if (m_isPushingDate)
            return;
        m_date = m_timelineViewController.centeredDate();
        showDateInPicker();
    });
}

GoToDateController::~GoToDateController() {
    delete m_sheet; // owned by its window, which may outlive this
}

CalendarDate GoToDateController::now() const {
    return m_timelineViewController.timelineView().now();
}

void GoToDateController::showGoToDate(QWidget* window) {
    VL_LOG(LACTIONS, Logger::LOG_INFO_LEVEL, QString());
    if (!m_sheet)
        loadSheet(window);
    if (m_sheet->isVisible()) {
        m_sheet->raise();
        m_sheet->activateWindow();
        return;
    }
    m_date = m_timelineViewController.centeredDate();
    m_oldDate = m_date;
    m_isWritingText = true;
    m_commandTextField->clear();
    m_isWritingText = false;
    setTextValid(true);
    showDateInPicker();
    placeSheet(window);
    m_sheet->open(); // window-modal, returns at once
    m_commandTextField->setFocus();
}

void GoToDateController::loadSheet(QWidget* window) {
    auto* sheet = new GoToDateSheet(
        window, [this] { endSheet(); }, [this] { cancelOperation(); });
    m_sheet = sheet;
    sheet->setObjectName(QStringLiteral("GoToDate"));
    sheet->setWindowTitle(tr("Go to Date"));
    sheet->setWindowModality(Qt::WindowModal);

    auto* prompt = new QLabel(tr("Show the timeline at:"), sheet);
    m_commandTextField = new QLineEdit(sheet);
    m_commandTextField->setAccessibleName(tr("Date"));
    m_commandTextField->setPlaceholderText(tr("next friday, 3/4, dec 24 9am"));
    m_commandTextField->setClearButtonEnabled(true);
    prompt->setBuddy(m_commandTextField);

    m_datePicker = new QDateEdit(sheet);
    m_datePicker->setAccessibleName(tr("Date picker"));
    m_datePicker->setCalendarPopup(true);
    m_datePicker->setDisplayFormat(QStringLiteral("ddd d MMM yyyy"));

    auto* buttons = new QDialogButtonBox(sheet);
    m_goButton = buttons->addButton(tr("Go"), QDialogButtonBox::AcceptRole);
    buttons->addButton(QDialogButtonBox::Cancel);
    m_goButton->setDefault(true);

    auto* fields = new QHBoxLayout;
    fields->addWidget(m_commandTextField, 1);
    fields->addWidget(m_datePicker);
    auto* layout = new QVBoxLayout(sheet);
    layout->addWidget(prompt);
    layout->addLayout(fields);
    layout->addWidget(buttons);

    connect(m_commandTextField, &QLineEdit::textChanged, this, &GoToDateController::commandTextDidChange);
    connect(m_datePicker, &QDateEdit::dateChanged, this, &GoToDateController::datePickerAction);
    connect(buttons, &QDialogButtonBox::accepted, sheet, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, sheet, &QDialog::reject);
    connect(sheet, &QDialog::finished, this, &GoToDateController::sheetFinished);
}

// Centred over the window, clear of the date labels and the first rows of events at its top, which show
// where the timeline went.
void GoToDateController::placeSheet(QWidget* window) {
    m_sheet->resize(SHEET_WIDTH, m_sheet->sizeHint().height());
    const QPoint place((window->width() - m_sheet->width()) / 2, (window->height() - m_sheet->height()) / 2);
    m_sheet->move(window->mapToGlobal(place));
}

void GoToDateController::setDate(const CalendarDate& date) {
    m_date = date;
    m_isPushingDate = true;
    m_timelineViewController.setCenteredDate(m_date);
    m_isPushingDate = false;
    showDateInPicker();
}

void GoToDateController::commandTextDidChange(const QString& text) {
    if (m_isWritingText)
        return;
    const std::optional<CalendarDate> parsed = m_parsingController.parseDateTime(text, now());
    setTextValid(parsed.has_value());
    if (parsed)
        setDate(*parsed);
}

void GoToDateController::setTextValid(bool valid) {
    QPalette palette = m_commandTextField->palette();
    palette.setColor(QPalette::Text, valid ? TextColors::current().valid : TextColors::current().invalid);
    m_commandTextField->setPalette(palette);
}

void GoToDateController::showDateInPicker() {
    if (!m_datePicker)
        return;
    const CalendarDate::Fields day = m_date.fields();
    const QSignalBlocker quiet(m_datePicker);
    m_datePicker->setDate(QDate(day.year, day.month, day.day));
}

void GoToDateController::datePickerAction() {
    const QDate day = m_datePicker->date();
    const CalendarDate picked = CalendarDate::fromComponents(day.year(), day.month(), day.day());
    setDate(picked);
    // What the field says is what was picked, so it is not read back: a description far from now leaves
    // out the year.
    m_isWritingText = true;
    m_commandTextField->setText(m_eventDescription->descriptionOfOnlyDate(picked, now()));
    m_isWritingText = false;
    setTextValid(true);
}

void GoToDateController::endSheet() {
    VL_LOG(LACTIONS, Logger::LOG_INFO_LEVEL, QString());
    m_sheet->done(1);
}

void GoToDateController::cancelOperation() {
    VL_LOG(LACTIONS, Logger::LOG_INFO_LEVEL, QString());
    setDate(m_oldDate);
    m_sheet->done(0);
}

void GoToDateController::sheetFinished(int returnCode) {
    VL_LOG(LACTIONS, Logger::LOG_INFO_LEVEL, logText(m_date));
    emit sheetDidEnd(returnCode);
}
