#include "RecurrenceSettingsViewController.h"

#include "CustomRecurrenceController.h"
#include "GridView.h"
#include "base/InternalInconsistency.h"
#include "base/Logger.h"
#include "dates/CalendarDate.h"
#include "dates/DateEnvironment.h"
#include "dates/EventDescription.h"
#include "records/CalRecurrenceRule.h"

#include <QComboBox>
#include <QDateEdit>
#include <QLabel>
#include <QLocale>
#include <QPointer>
#include <QSignalBlocker>
#include <QSpinBox>

#include <algorithm>

namespace {

constexpr int SECONDS_PER_DAY = 86400;
// The count field grows wider only for a rule (from another program) with a larger count.
constexpr int USUAL_MAXIMUM_COUNT = 999;

void logAction(const char* name) {
    VL_LOG(LACTIONS, Logger::LOG_INFO_LEVEL, QString::fromLatin1(name));
}

// Half the height by which `field` is higher than `label`: the top margin that centres the label on it.
double centringMargin(const QWidget* label, const QWidget* field) {
    return std::max(0, (field->height() - label->height()) / 2);
}

QLabel* sizedLabel(const QString& text) {
    auto* label = new QLabel(text);
    label->adjustSize();
    return label;
}

} // namespace

RecurrenceSettingsViewController::RecurrenceSettingsViewController(
    std::shared_ptr<EventDescription> description, QWidget* parent)
    : QWidget(parent), m_eventDescription(std::move(description)),
      m_clock([] { return QDateTime::currentDateTime(); }) {
    VL_ASSERT(m_eventDescription, QStringLiteral("have eventDescription"));
    m_customRecurrenceController = new CustomRecurrenceController(this);
    buildLayout();
    updateUI();
}

RecurrenceSettingsViewController::~RecurrenceSettingsViewController() = default;

void RecurrenceSettingsViewController::buildLayout() {
    m_recurrenceButton = new QComboBox;
    const std::pair<QString, int> recurrences[] = {{tr("No Recurrence"), NoRecurrenceTag},
                                                   {tr("Daily"), DailyTag},
                                                   {tr("Weekly"), WeeklyTag},
                                                   {tr("Monthly"), MonthlyTag},
                                                   {tr("Yearly"), YearlyTag},
                                                   {tr("Other..."), OtherTag}};
    for (const auto& [text, tag] : recurrences)
        m_recurrenceButton->addItem(text, tag);
    m_recurrenceButton->setAccessibleName(tr("Repeat"));
    m_endsTypeButton = new QComboBox;
    const std::pair<QString, int> ends[] = {{tr("Never Ends"), NeverEndsTag},
                                            {tr("Ends After Count"), EndsAfterCountTag},
                                            {tr("Ends After Date"), EndsAfterDateTag}};
    for (const auto& [text, tag] : ends)
        m_endsTypeButton->addItem(text, tag);
    m_endsTypeButton->setAccessibleName(tr("Ends"));
    // Both pop-ups as wide as the wider one.
    m_recurrenceButton->adjustSize();
    m_endsTypeButton->adjustSize();
    const int popUpWidth = std::max(m_recurrenceButton->width(), m_endsTypeButton->width());
    m_recurrenceButton->resize(popUpWidth, m_recurrenceButton->height());
    m_endsTypeButton->resize(popUpWidth, m_endsTypeButton->height());

    m_endsCountField = new QSpinBox;
    m_endsCountField->setRange(1, USUAL_MAXIMUM_COUNT);
    m_endsCountField->setAccessibleName(tr("Number of occurrences"));
    m_endsCountField->adjustSize();
    m_endsDatePicker = new QDateEdit;
    m_endsDatePicker->setCalendarPopup(true);
    // The names of days and months in the language of the calendar's locale.
    m_endsDatePicker->setLocale(QLocale(DateEnvironment::localeId()));
    setEndDateFormat(QStringLiteral("ddd d MMM yyyy"));
    m_endsDatePicker->setAccessibleName(tr("End date"));
    m_endsDatePicker->adjustSize();

    m_recurrenceLabel = sizedLabel(tr("&Repeat:"));
    m_recurrenceLabel->setBuddy(m_recurrenceButton);
    m_endsLabel = sizedLabel(tr("E&nds:"));
    m_endsLabel->setBuddy(m_endsTypeButton);
    m_endsCountLabel = sizedLabel(tr("&Occurrences:"));
    m_endsCountLabel->setBuddy(m_endsCountField);
    m_endsDateLabel = sizedLabel(tr("End &date:"));
    m_endsDateLabel->setBuddy(m_endsDatePicker);

    m_descriptionLabel = new QLabel;
    m_descriptionLabel->setWordWrap(true);
    m_descriptionLabel->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    m_descriptionWidth = std::max(popUpWidth, m_descriptionLabel->fontMetrics().averageCharWidth() * 36);

    // Nested grids, innermost first, each cell with its top and left margins (set after placing).
    m_endsInternalGridView = new GridView;
    m_endsInternalGridView->setName(QStringLiteral("endsInternalGridView"));
    m_endsInternalGridView->setHorizontalMargin(4);
    m_endsInternalGridView->setView(m_endsDateLabel, 0, 0);
    m_endsInternalGridView->setTopMargin(centringMargin(m_endsDateLabel, m_endsDatePicker), 0, 0);
    m_endsInternalGridView->setLeftMargin(5, 0, 0);
    m_endsInternalGridView->setView(m_endsDatePicker, 0, 1);
    m_endsInternalGridView->setView(m_endsCountLabel, 1, 0);
    m_endsInternalGridView->setTopMargin(centringMargin(m_endsCountLabel, m_endsCountField), 1, 0);
    m_endsInternalGridView->setLeftMargin(5, 1, 0);
    m_endsInternalGridView->setView(m_endsCountField, 1, 1);

    m_endsGridView = new GridView;
    m_endsGridView->setName(QStringLiteral("endsGridView"));
    m_endsGridView->setVerticalMargin(4);
    m_endsGridView->setView(m_endsTypeButton, 0, 0);
    m_endsGridView->setLeftMargin(2, 0, 0);
    m_endsGridView->setView(m_endsInternalGridView, 1, 0);

    m_gridView = new GridView(this);
    m_gridView->setName(QStringLiteral("recurrenceGridView"));
    m_gridView->setHorizontalMargin(6);
    m_gridView->setVerticalMargin(2);
    m_gridView->setView(m_recurrenceLabel, 0, 0);
    m_gridView->setTopMargin(centringMargin(m_recurrenceLabel, m_recurrenceButton), 0, 0);
    m_gridView->setView(m_recurrenceButton, 0, 1);
    m_gridView->setLeftMargin(2, 0, 1);
    m_gridView->setView(m_descriptionLabel, 1, 1);
    m_gridView->setLeftMargin(3, 1, 1);
    m_gridView->setTopMargin(2, 1, 1);
    m_gridView->setView(m_endsLabel, 2, 0);
    m_gridView->setTopMargin(5 + centringMargin(m_endsLabel, m_endsTypeButton), 2, 0);
    m_gridView->setView(m_endsGridView, 2, 1);
    m_gridView->setTopMargin(5, 2, 1);

    // The panel is as large as its grid, so that a grid holding the panel follows it.
    connect(m_gridView, &GridView::sizeChanged, this, [this](QSize size) {
        resize(size);
        updateGeometry();
    });
    resize(m_gridView->size());

    QWidget::setTabOrder(m_recurrenceButton, m_endsTypeButton);
    QWidget::setTabOrder(m_endsTypeButton, m_endsDatePicker);
    QWidget::setTabOrder(m_endsDatePicker, m_endsCountField);

    connect(m_recurrenceButton, &QComboBox::activated, this,
            &RecurrenceSettingsViewController::recurrenceChosen);
    connect(m_endsTypeButton, &QComboBox::activated, this, &RecurrenceSettingsViewController::endChosen);
    connect(m_endsCountField, &QSpinBox::valueChanged, this,
            &RecurrenceSettingsViewController::setOccurrenceCount);
    connect(m_endsDatePicker, &QDateEdit::dateChanged, this,
            &RecurrenceSettingsViewController::endsDatePickerAction);
}

QSize RecurrenceSettingsViewController::sizeHint() const {
    return m_gridView->sizeHint();
}

void RecurrenceSettingsViewController::setDescriptionWidth(int width) {
    m_descriptionWidth = width;
    updateUI();
}

void RecurrenceSettingsViewController::setClock(std::function<QDateTime()> clock) {
    m_clock = std::move(clock);
}

std::shared_ptr<CalRecurrenceRule> RecurrenceSettingsViewController::recurrenceRule() const {
    return m_recurrenceRule ? m_recurrenceRule->copy() : nullptr;
}

void RecurrenceSettingsViewController::setRecurrenceRule(std::shared_ptr<CalRecurrenceRule> rule) {
    if (rule == m_recurrenceRule)
        return;
    m_recurrenceRule = rule ? rule->copy() : nullptr;
    updateUI();
}

void RecurrenceSettingsViewController::setRuleByUser(std::shared_ptr<CalRecurrenceRule> rule) {
    m_recurrenceRule = rule ? rule->copy() : nullptr;
    updateUI();
    emit recurrenceRuleChanged(std::move(rule));
}

void RecurrenceSettingsViewController::replaceEndByUser(std::optional<CalRecurrenceEnd> end) {
    if (m_recurrenceRule) // the end controls show only with a rule
        setRuleByUser(m_recurrenceRule->replaceEnd(std::move(end)));
}

void RecurrenceSettingsViewController::setEndDateFormat(const QString& format) {
    m_endsDatePicker->setDisplayFormat(format);
    m_endsDatePicker->adjustSize();
}

bool RecurrenceSettingsViewController::isCustomRule(const CalRecurrenceRule& rule) {
    return rule.recurrenceInterval != 1 || rule.daysOfTheWeek || rule.daysOfTheMonth ||
           rule.nthWeekDaysOfTheMonth || rule.monthsOfTheYear;
}

void RecurrenceSettingsViewController::updateUI() {
    VL_ASSERT(m_eventDescription, QStringLiteral("have eventDescription"));
    const QSignalBlocker countBlocker(m_endsCountField);
    const QSignalBlocker dateBlocker(m_endsDatePicker);
    const std::shared_ptr<CalRecurrenceRule>& rule = m_recurrenceRule;
    if (!rule) {
        m_recurrenceButton->setCurrentIndex(NoRecurrenceTag);
        m_descriptionLabel->hide();
        m_endsLabel->hide();
        m_endsGridView->hide();
        layOutGrids();
        return;
    }

    m_endsLabel->show();
    m_endsGridView->show();
    const std::optional<CalRecurrenceEnd>& end = rule->recurrenceEnd;
    const bool byDate = end && end->usesEndDate;
    const bool byCount = end && !end->usesEndDate;
    if (byDate) {
        m_endsTypeButton->setCurrentIndex(EndsAfterDateTag);
        const CalendarDate day = CalendarDate::fromQDateTime(end->endDate);
        m_endsDatePicker->setDate(QDate(day.year(), day.monthOfYear(), day.dayOfMonth()));
    } else if (byCount) {
        m_endsTypeButton->setCurrentIndex(EndsAfterCountTag);
        m_endsCountField->setMaximum(std::max(USUAL_MAXIMUM_COUNT, end->occurrenceCount));
        m_endsCountField->setValue(end->occurrenceCount);
    } else {
        m_endsTypeButton->setCurrentIndex(NeverEndsTag);
    }
    m_endsDateLabel->setVisible(byDate);
    m_endsDatePicker->setVisible(byDate);
    m_endsCountLabel->setVisible(byCount);
    m_endsCountField->setVisible(byCount);

    const bool custom = isCustomRule(*rule);
    if (custom) {
        m_recurrenceButton->setCurrentIndex(OtherTag);
    } else if (rule->recurrenceType >= CalRecurrenceRule::Daily &&
               rule->recurrenceType <= CalRecurrenceRule::Yearly) {
        m_recurrenceButton->setCurrentIndex(DailyTag + rule->recurrenceType);
    } else {
        m_recurrenceButton->setCurrentIndex(NoRecurrenceTag);
        layOutGrids();
        VL_ASSERT(false, QStringLiteral("Unknown recurrenceType"));
    }

    m_descriptionLabel->setText(m_eventDescription->descriptionOfRecurrence(*rule));
    m_descriptionLabel->resize(m_descriptionWidth, m_descriptionLabel->heightForWidth(m_descriptionWidth));
    m_descriptionLabel->setVisible(custom);
    layOutGrids();
}

void RecurrenceSettingsViewController::layOutGrids() {
    // Innermost first: a grid that is not on screen hears of its cells' resizing only when shown.
    m_endsInternalGridView->layout();
    m_endsGridView->layout();
    m_gridView->layout();
}

std::optional<CalRecurrenceEnd> RecurrenceSettingsViewController::recurrenceEnd() const {
    switch (m_endsTypeButton->currentData().toInt()) {
    case NeverEndsTag:
        return std::nullopt;
    case EndsAfterCountTag:
        return CalRecurrenceEnd{false, QDateTime(), m_endsCountField->value()};
    case EndsAfterDateTag: {
        // The picked day at the clock time of the end shown (the picker shows only the day).
        const std::optional<CalRecurrenceEnd> shown =
            m_recurrenceRule ? m_recurrenceRule->recurrenceEnd : std::nullopt;
        const CalendarDate time =
            CalendarDate::fromQDateTime(shown && shown->usesEndDate ? shown->endDate : now());
        const QDate day = m_endsDatePicker->date();
        const CalendarDate end = CalendarDate::fromComponents(
            day.year(), day.month(), day.day(), time.hourOfDay(), time.minuteOfHour(), time.secondOfMinute());
        return CalRecurrenceEnd{true, end.toQDateTime(), 0};
    }
    default:
        VL_ASSERT(false, QStringLiteral("Unexpected tag"));
        return std::nullopt;
    }
}

void RecurrenceSettingsViewController::recurrenceChosen(int index) {
    switch (m_recurrenceButton->itemData(index).toInt()) {
    case NoRecurrenceTag:
        noRecurrenceAction();
        break;
    case DailyTag:
        everyDayAction();
        break;
    case WeeklyTag:
        everyWeekAction();
        break;
    case MonthlyTag:
        everyMonthAction();
        break;
    case YearlyTag:
        everyYearAction();
        break;
    case OtherTag:
        customAction();
        break;
    default:
        break;
    }
}

void RecurrenceSettingsViewController::endChosen(int index) {
    switch (m_endsTypeButton->itemData(index).toInt()) {
    case NeverEndsTag:
        neverEndsAction();
        break;
    case EndsAfterCountTag:
        endsAfterCountAction();
        break;
    case EndsAfterDateTag:
        endsAfterDateAction();
        break;
    default:
        break;
    }
}

void RecurrenceSettingsViewController::noRecurrenceAction() {
    logAction(__func__);
    setRuleByUser(nullptr);
}

void RecurrenceSettingsViewController::everyDayAction() {
    logAction(__func__);
    setRuleByUser(CalRecurrenceRule::rule(CalRecurrenceRule::Daily));
}

void RecurrenceSettingsViewController::everyWeekAction() {
    logAction(__func__);
    setRuleByUser(CalRecurrenceRule::rule(CalRecurrenceRule::Weekly));
}

void RecurrenceSettingsViewController::everyMonthAction() {
    logAction(__func__);
    setRuleByUser(CalRecurrenceRule::rule(CalRecurrenceRule::Monthly));
}

void RecurrenceSettingsViewController::everyYearAction() {
    logAction(__func__);
    setRuleByUser(CalRecurrenceRule::rule(CalRecurrenceRule::Yearly));
}

void RecurrenceSettingsViewController::customAction() {
    logAction(__func__);
    // An event without recurrence is offered a weekly rule; Cancel leaves it without.
    m_customRecurrenceController->configure(
        m_recurrenceRule ? m_recurrenceRule->copy() : CalRecurrenceRule::rule(CalRecurrenceRule::Weekly),
        m_startDate.isValid() ? m_startDate : now());
    const QPointer<RecurrenceSettingsViewController> self(this);
    const int result = m_customRecurrenceController->exec();
    if (!self) // the editor went away while the dialog ran
        return;
    if (result == QDialog::Accepted)
        setRuleByUser(m_customRecurrenceController->rule()->replaceEnd(
            m_recurrenceRule ? recurrenceEnd() : std::nullopt)); // a new rule never ends at first
    else
        updateUI(); // the pop-up shows the rule again, not "Other..."
    m_customRecurrenceController->hide();
}

void RecurrenceSettingsViewController::neverEndsAction() {
    logAction(__func__);
    replaceEndByUser(std::nullopt);
}

void RecurrenceSettingsViewController::endsAfterCountAction() {
    logAction(__func__);
    replaceEndByUser(CalRecurrenceEnd{false, QDateTime(), 1});
}

void RecurrenceSettingsViewController::endsAfterDateAction() {
    logAction(__func__);
    replaceEndByUser(CalRecurrenceEnd{true, now().addSecs(SECONDS_PER_DAY), 0});
}

void RecurrenceSettingsViewController::endsDatePickerAction() {
    const std::optional<CalRecurrenceEnd> end = recurrenceEnd();
    VL_LOG(LACTIONS, Logger::LOG_INFO_LEVEL,
           end ? end->endDate.toString(Qt::ISODate) : QStringLiteral("(no end date)"));
    replaceEndByUser(end);
}

void RecurrenceSettingsViewController::setOccurrenceCount(int count) {
    logAction(__func__);
    replaceEndByUser(CalRecurrenceEnd{false, QDateTime(), count});
}
