#include "CustomRecurrenceController.h"

#include "ToggleMatrix.h"
#include "base/InternalInconsistency.h"
#include "base/Logger.h"
#include "dates/CalendarDate.h"
#include "dates/CalendarInformation.h"
#include "dates/PatternDateFormat.h"
#include "records/CalRecurrenceRule.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QSignalBlocker>
#include <QSpinBox>
#include <QStringList>
#include <QToolButton>
#include <QVBoxLayout>

#include <algorithm>

namespace {

// The interval fields grow wider only for a rule (from another program) with a larger interval.
constexpr int USUAL_MAXIMUM_INTERVAL = 999;

// A day of each weekday (1 = Sunday) and of each month, at noon, for writing their names: January 1,
// 2023 was a Sunday.
CalendarDate dayOfWeekday(int weekday) {
    return CalendarDate::fromComponents(2023, 1, weekday, 12);
}
CalendarDate dayOfMonth(int month) {
    return CalendarDate::fromComponents(2023, month, 1, 12);
}

QString describe(const CalRecurrenceRule& rule) {
    return QStringLiteral("rule type %1 interval %2").arg(rule.recurrenceType).arg(rule.recurrenceInterval);
}

QLabel* buddyLabel(const QString& text, QWidget* buddy, QWidget* parent) {
    auto* label = new QLabel(text, parent);
    label->setBuddy(buddy);
    return label;
}

} // namespace

CustomRecurrenceController::CustomRecurrenceController(QWidget* parent) : QDialog(parent) {
    setWindowTitle(tr("Custom Recurrence"));
    // Blocks the editor it belongs to, not the main window or the helper's other windows.
    setWindowModality(Qt::WindowModal);

    m_weekdayOfColumn.reserve(7);
    for (int column = 0; column < 7; ++column)
        m_weekdayOfColumn.append(CalendarInformation::weekDayIndexFromLocalizedIndex(column));

    m_kindButton = new QComboBox(this);
    m_kindButton->addItems({tr("Daily"), tr("Weekly"), tr("Monthly"), tr("Yearly")});
    m_kindButton->setAccessibleName(tr("Frequency"));
    auto* kindLabel = buddyLabel(tr("&Frequency:"), m_kindButton, this);
    auto* kindRow = new QHBoxLayout;
    kindRow->addWidget(kindLabel);
    kindRow->addWidget(m_kindButton);
    kindRow->addStretch();

    m_intervalFields = {nullptr, nullptr, nullptr, nullptr};
    m_unitLabels = {nullptr, nullptr, nullptr, nullptr};
    m_views = {makeDailyView(), makeWeeklyView(), makeMonthlyView(), makeYearlyView()};
    m_box = new QVBoxLayout;
    m_box->setContentsMargins(0, 0, 0, 0);
    for (QWidget* view : std::as_const(m_views))
        m_box->addWidget(view);

    m_buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    connect(m_buttons, &QDialogButtonBox::accepted, this, &CustomRecurrenceController::accept);
    connect(m_buttons, &QDialogButtonBox::rejected, this, &CustomRecurrenceController::reject);

    auto* layout = new QVBoxLayout(this);
    // The dialog is always exactly as large as the view of the chosen kind.
    layout->setSizeConstraint(QLayout::SetFixedSize);
    layout->addLayout(kindRow);
    layout->addLayout(m_box);
    layout->addWidget(m_buttons);

    connect(m_kindButton, &QComboBox::activated, this, [this](int kind) {
        static const char* const ACTIONS[] = {"dailyAction", "weeklyAction", "monthlyAction", "yearlyAction"};
        if (kind >= 0 && kind < 4)
            VL_LOG(LACTIONS, Logger::LOG_INFO_LEVEL, QString::fromLatin1(ACTIONS[kind]));
        showKind(kind);
    });
    setUpTabOrder();
    showKind(WeeklyKind);
    updateEnabling();
}

CustomRecurrenceController::~CustomRecurrenceController() = default;

void CustomRecurrenceController::setUpTabOrder() {
    QList<QWidget*> order{m_kindButton, m_intervalFields[DailyKind], m_intervalFields[WeeklyKind]};
    for (int index = 0; index < m_weekdayMatrix->count(); ++index)
        order.append(m_weekdayMatrix->cellAt(index));
    order.append({m_intervalFields[MonthlyKind], m_daysOfTheMonthModeButton});
    for (int index = 0; index < m_daysOfTheMonthMatrix->count(); ++index)
        order.append(m_daysOfTheMonthMatrix->cellAt(index));
    order.append({m_nthWeekdayModeButton, m_monthViewNthWeekdayButton, m_monthViewWeekdayButton,
                  m_intervalFields[YearlyKind]});
    for (int index = 0; index < m_monthMatrix->count(); ++index)
        order.append(m_monthMatrix->cellAt(index));
    order.append({m_yearlyWeekOfTheMonthButton, m_yearViewNthWeekdayButton, m_yearViewWeekdayButton,
                  m_buttons->button(QDialogButtonBox::Ok), m_buttons->button(QDialogButtonBox::Cancel)});
    for (int index = 1; index < order.size(); ++index)
        QWidget::setTabOrder(order[index - 1], order[index]);
}

// "Every [n] <units>" in row 0 of the view's grid; the unit word follows the number.
void CustomRecurrenceController::makeIntervalRow(int kind, const QString& unitSingular,
                                                 const QString& unitPlural, QWidget* view) {
    auto* field = new QSpinBox(view);
    field->setRange(1, USUAL_MAXIMUM_INTERVAL);
    field->setCorrectionMode(QAbstractSpinBox::CorrectToNearestValue); // "0" or "" becomes 1
    field->setAccessibleName(tr("Repeat every how many %1").arg(unitPlural));
    auto* unit = new QLabel(unitSingular, view);
    connect(field, &QSpinBox::valueChanged, unit, [unit, unitSingular, unitPlural](int value) {
        unit->setText(value == 1 ? unitSingular : unitPlural);
    });
    m_intervalFields[kind] = field;
    m_unitLabels[kind] = unit;

    auto* grid = static_cast<QGridLayout*>(view->layout());
    grid->addWidget(buddyLabel(tr("E&very"), field, view), 0, 0, Qt::AlignRight | Qt::AlignVCenter);
    auto* row = new QHBoxLayout;
    row->addWidget(field);
    row->addWidget(unit);
    row->addStretch();
    grid->addLayout(row, 0, 1);
}

QWidget* CustomRecurrenceController::makeDailyView() {
    auto* view = new QWidget(this);
    auto* grid = new QGridLayout(view);
    grid->setContentsMargins(0, 0, 0, 0);
    makeIntervalRow(DailyKind, tr("day"), tr("days"), view);
    return view;
}

QWidget* CustomRecurrenceController::makeWeeklyView() {
    auto* view = new QWidget(this);
    auto* grid = new QGridLayout(view);
    grid->setContentsMargins(0, 0, 0, 0);
    makeIntervalRow(WeeklyKind, tr("week"), tr("weeks"), view);

    m_weekdayMatrix = new ToggleMatrix(1, 7, 7, view);
    m_weekdayMatrix->setAccessibleName(tr("Days of the week"));
    const PatternDateFormat veryShort(QStringLiteral("ccccc")); // stand-alone, narrowest: "M"
    const QStringList fullNames = CalendarInformation::weekdayNames();
    for (int column = 0; column < 7; ++column) {
        const int weekday = m_weekdayOfColumn[column];
        m_weekdayMatrix->setCellTitle(column, veryShort.format(dayOfWeekday(weekday)),
                                      fullNames.value(weekday - 1));
    }
    m_weekdayMatrix->sizeCellsToFit();
    connect(m_weekdayMatrix, &ToggleMatrix::cellClicked, this,
            [] { VL_LOG(LACTIONS, Logger::LOG_INFO_LEVEL, QStringLiteral("weekdayMatrixAction")); });
    grid->addWidget(buddyLabel(tr("&On:"), m_weekdayMatrix, view), 1, 0, Qt::AlignRight | Qt::AlignVCenter);
    grid->addWidget(m_weekdayMatrix, 1, 1, Qt::AlignLeft);
    return view;
}

QComboBox* CustomRecurrenceController::makeNthWeekdayButton(QWidget* parent) {
    auto* button = new QComboBox(parent);
    const std::pair<QString, int> items[] = {
        {tr("first"), 1}, {tr("second"), 2}, {tr("third"), 3}, {tr("fourth"), 4}, {tr("last"), -1}};
    for (const auto& [text, tag] : items)
        button->addItem(text, tag);
    button->setAccessibleName(tr("Which week of the month"));
    return button;
}

QComboBox* CustomRecurrenceController::makeWeekdayButton(QWidget* parent) {
    auto* button = new QComboBox(parent);
    button->addItems(CalendarInformation::weekdayNames()); // item i: weekday i + 1
    button->setAccessibleName(tr("Day of the week"));
    return button;
}

QWidget* CustomRecurrenceController::makeMonthlyView() {
    auto* view = new QWidget(this);
    auto* grid = new QGridLayout(view);
    grid->setContentsMargins(0, 0, 0, 0);
    makeIntervalRow(MonthlyKind, tr("month"), tr("months"), view);

    m_daysOfTheMonthModeButton = new QRadioButton(tr("&Each"), view);
    m_daysOfTheMonthMatrix = new ToggleMatrix(5, 7, 31, view);
    m_daysOfTheMonthMatrix->setAccessibleName(tr("Days of the month"));
    for (int day = 1; day <= 31; ++day)
        m_daysOfTheMonthMatrix->setCellTitle(day - 1, QString::number(day));
    m_daysOfTheMonthMatrix->sizeCellsToFit();
    connect(m_daysOfTheMonthMatrix, &ToggleMatrix::cellClicked, this,
            [] { VL_LOG(LACTIONS, Logger::LOG_INFO_LEVEL, QStringLiteral("dayOfMonthMatrixAction")); });

    m_nthWeekdayModeButton = new QRadioButton(tr("O&n the"), view);
    m_monthViewNthWeekdayButton = makeNthWeekdayButton(view);
    m_monthViewWeekdayButton = makeWeekdayButton(view);
    connect(m_daysOfTheMonthModeButton, &QRadioButton::toggled, this, [this] { updateEnabling(); });

    grid->addWidget(m_daysOfTheMonthModeButton, 1, 0, Qt::AlignLeft | Qt::AlignTop);
    grid->addWidget(m_daysOfTheMonthMatrix, 1, 1, Qt::AlignLeft);
    grid->addWidget(m_nthWeekdayModeButton, 2, 0, Qt::AlignLeft | Qt::AlignVCenter);
    auto* nthRow = new QHBoxLayout;
    nthRow->addWidget(m_monthViewNthWeekdayButton);
    nthRow->addWidget(m_monthViewWeekdayButton);
    nthRow->addStretch();
    grid->addLayout(nthRow, 2, 1);
    return view;
}

QWidget* CustomRecurrenceController::makeYearlyView() {
    auto* view = new QWidget(this);
    auto* grid = new QGridLayout(view);
    grid->setContentsMargins(0, 0, 0, 0);
    makeIntervalRow(YearlyKind, tr("year"), tr("years"), view);

    m_monthMatrix = new ToggleMatrix(3, 4, 12, view);
    m_monthMatrix->setAccessibleName(tr("Months of the year"));
    const PatternDateFormat shortName(QStringLiteral("LLL")); // stand-alone, abbreviated: "Jan"
    const QStringList fullNames = CalendarInformation::monthNames();
    for (int month = 1; month <= 12; ++month)
        m_monthMatrix->setCellTitle(month - 1, shortName.format(dayOfMonth(month)),
                                    fullNames.value(month - 1));
    m_monthMatrix->sizeCellsToFit();
    connect(m_monthMatrix, &ToggleMatrix::cellClicked, this,
            [] { VL_LOG(LACTIONS, Logger::LOG_INFO_LEVEL, QStringLiteral("monthMatrixAction")); });

    m_yearlyWeekOfTheMonthButton = new QCheckBox(tr("O&n the"), view);
    m_yearViewNthWeekdayButton = makeNthWeekdayButton(view);
    m_yearViewWeekdayButton = makeWeekdayButton(view);
    connect(m_yearlyWeekOfTheMonthButton, &QCheckBox::toggled, this, [this] { updateEnabling(); });

    grid->addWidget(buddyLabel(tr("&In:"), m_monthMatrix, view), 1, 0, Qt::AlignRight | Qt::AlignTop);
    grid->addWidget(m_monthMatrix, 1, 1, Qt::AlignLeft);
    grid->addWidget(m_yearlyWeekOfTheMonthButton, 2, 0, Qt::AlignLeft | Qt::AlignVCenter);
    auto* nthRow = new QHBoxLayout;
    nthRow->addWidget(m_yearViewNthWeekdayButton);
    nthRow->addWidget(m_yearViewWeekdayButton);
    nthRow->addStretch();
    grid->addLayout(nthRow, 2, 1);
    return view;
}

void CustomRecurrenceController::showKind(int kind) {
    VL_ASSERT(kind >= DailyKind && kind <= YearlyKind, QStringLiteral("kind item %1").arg(kind));
    {
        const QSignalBlocker blocker(m_kindButton);
        m_kindButton->setCurrentIndex(kind);
    }
    // Hide the old view before showing the new one, so that the dialog never holds both.
    for (int other = 0; other < m_views.size(); ++other) {
        if (other != kind)
            m_views[other]->hide();
    }
    m_views[kind]->show();
    layout()->activate(); // the dialog takes the view's size now, not at the next event
}

void CustomRecurrenceController::updateEnabling() {
    const bool daysMode = m_daysOfTheMonthModeButton->isChecked();
    m_daysOfTheMonthMatrix->setEnabled(daysMode);
    m_monthViewNthWeekdayButton->setEnabled(!daysMode);
    m_monthViewWeekdayButton->setEnabled(!daysMode);
    const bool yearlyNth = m_yearlyWeekOfTheMonthButton->isChecked();
    m_yearViewNthWeekdayButton->setEnabled(yearlyNth);
    m_yearViewWeekdayButton->setEnabled(yearlyNth);
}

void CustomRecurrenceController::setInterval(int kind, int interval) {
    QSpinBox* field = m_intervalFields[kind];
    field->setMaximum(std::max(USUAL_MAXIMUM_INTERVAL, interval));
    field->setValue(interval); // the unit word follows through valueChanged
}

void CustomRecurrenceController::setDaysOfTheMonthMode(bool on) {
    (on ? m_daysOfTheMonthModeButton : m_nthWeekdayModeButton)->setChecked(true);
}

void CustomRecurrenceController::selectNthWeekday(QComboBox* nthButton, QComboBox* weekdayButton,
                                                  const CustomRecurrenceForm::NthWeekday& nth) {
    nthButton->setCurrentIndex(std::max(0, nthButton->findData(nth.weekNumber)));
    weekdayButton->setCurrentIndex(std::clamp(nth.weekday - 1, 0, 6));
}

void CustomRecurrenceController::configure(std::shared_ptr<CalRecurrenceRule> rule,
                                           const QDateTime& startDate) {
    VL_LOG(LOTHER, Logger::LOG_INFO_LEVEL,
           QStringLiteral("%1 %2").arg(rule ? describe(*rule) : QStringLiteral("(none)"),
                                       startDate.toString(Qt::ISODate)));
    VL_ASSERT(rule, QStringLiteral("Must have recurrence rule"));
    VL_ASSERT(startDate.isValid(), QStringLiteral("Must have startDate rule"));
    m_startDate = startDate;
    m_recurrenceRule = rule;
    showForm(CustomRecurrenceForm::fromRule(*rule, startDate));
}

void CustomRecurrenceController::showForm(const CustomRecurrenceForm& form) {
    for (int kind = DailyKind; kind <= YearlyKind; ++kind)
        setInterval(kind, form.intervals[kind]);
    m_weekdayMatrix->clear();
    for (int weekday : form.weekdays)
        m_weekdayMatrix->setOn(CalendarInformation::localizedIndexFromWeekDayIndex(weekday), true);
    setDaysOfTheMonthMode(form.byDaysOfTheMonth);
    m_daysOfTheMonthMatrix->clear();
    for (int day : form.daysOfTheMonth)
        m_daysOfTheMonthMatrix->setOn(day - 1, true);
    selectNthWeekday(m_monthViewNthWeekdayButton, m_monthViewWeekdayButton, form.monthlyNth);
    m_yearlyWeekOfTheMonthButton->setChecked(form.yearlyOnNthWeekday);
    m_monthMatrix->clear();
    for (int month : form.months)
        m_monthMatrix->setOn(month - 1, true);
    selectNthWeekday(m_yearViewNthWeekdayButton, m_yearViewWeekdayButton, form.yearlyNth);
    showKind(form.kind);
    updateEnabling();
}

CustomRecurrenceForm CustomRecurrenceController::form() const {
    const int kind = m_kindButton->currentIndex();
    VL_ASSERT(kind >= DailyKind && kind <= YearlyKind, QStringLiteral("kind item %1").arg(kind));
    const auto nth = [](const QComboBox* nthButton, const QComboBox* weekdayButton) {
        return CustomRecurrenceForm::NthWeekday{nthButton->currentData().toInt(),
                                                weekdayButton->currentIndex() + 1};
    };
    CustomRecurrenceForm form;
    form.kind = CustomRecurrenceForm::Kind(kind);
    for (int each = DailyKind; each <= YearlyKind; ++each)
        form.intervals[each] = m_intervalFields[each]->value();
    for (int column : m_weekdayMatrix->onCells())
        form.weekdays.append(m_weekdayOfColumn[column]);
    form.byDaysOfTheMonth = m_daysOfTheMonthModeButton->isChecked();
    for (int index : m_daysOfTheMonthMatrix->onCells())
        form.daysOfTheMonth.append(index + 1);
    form.monthlyNth = nth(m_monthViewNthWeekdayButton, m_monthViewWeekdayButton);
    for (int index : m_monthMatrix->onCells())
        form.months.append(index + 1);
    form.yearlyOnNthWeekday = m_yearlyWeekOfTheMonthButton->isChecked();
    form.yearlyNth = nth(m_yearViewNthWeekdayButton, m_yearViewWeekdayButton);
    return form;
}

std::shared_ptr<CalRecurrenceRule> CustomRecurrenceController::rule() const {
    return form().toRule();
}

void CustomRecurrenceController::accept() {
    VL_LOG(LACTIONS, Logger::LOG_INFO_LEVEL, QStringLiteral("okAction"));
    // A number being typed counts (text that is no positive integer goes back to the last valid value).
    for (QSpinBox* field : std::as_const(m_intervalFields))
        field->interpretText();
    QDialog::accept();
}

void CustomRecurrenceController::reject() {
    VL_LOG(LACTIONS, Logger::LOG_INFO_LEVEL, QStringLiteral("cancelAction"));
    QDialog::reject();
}
