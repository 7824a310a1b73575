#pragma once

#include "CustomRecurrenceForm.h"

#include <QDateTime>
#include <QDialog>
#include <QList>

#include <memory>

class QCheckBox;
class QComboBox;
class QDialogButtonBox;
class QLabel;
class QRadioButton;
class QSpinBox;
class QVBoxLayout;
class ToggleMatrix;

// The modal "Other..." panel of the recurrence panel: a recurrence of one of four kinds with an interval
// and the kind's details (weekdays; days of the month or the nth weekday; months and optionally the nth
// weekday). The caller configures it with the current rule and the event's start date, runs it with
// exec() and, when accepted, takes rule() and adds the end itself. Each kind keeps its settings while the
// user switches between kinds; only the kind chosen at OK is built. The dialog resizes to the chosen
// kind's view, keeping its top edge.
//
// The intervals are QSpinBoxes with minimum 1, not free text fields: they accept only digits, Up and Down
// step them, and text that is not a positive integer ("", "0") is never taken — when editing ends (focus
// leaves, Enter, OK) the field goes back to its last valid value. The alert of the original design ("The
// frequency of the recurring event was not a positive integer." / "A frequency of one will be used
// instead.") guarded a free text field and has no case to handle here.
class CustomRecurrenceController : public QDialog {
    Q_OBJECT
public:
    // Items of the kind pop-up; also recurrence types (CalRecurrenceRule::Type).
    enum Kind { DailyKind = 0, WeeklyKind = 1, MonthlyKind = 2, YearlyKind = 3 };

    explicit CustomRecurrenceController(QWidget* parent = nullptr);
    ~CustomRecurrenceController() override;

    // Prepares the panel for a run: every kind gets defaults from `startDate` (its weekday, day of the
    // month and month in the current calendar), then the rule's kind and details are shown. A missing rule
    // or start date, a rule with several nth weekdays or of an unknown type: InternalInconsistency.
    void configure(std::shared_ptr<CalRecurrenceRule> rule, const QDateTime& startDate);
    // What the controls show, and the rule of it, without end.
    CustomRecurrenceForm form() const;
    std::shared_ptr<CalRecurrenceRule> rule() const;

    std::shared_ptr<CalRecurrenceRule> recurrenceRule() const { return m_recurrenceRule; }
    QDateTime startDate() const { return m_startDate; }

    // Matrix positions: days of the month 1-31 seven to a row, months 1-12 four to a row.
    static int rowForDayOfTheMonth(int day) { return (day - 1) / 7; }
    static int columnForDayOfTheMonth(int day) { return (day - 1) % 7; }
    static int rowForMonth(int month) { return (month - 1) / 4; }
    static int columnForMonth(int month) { return (month - 1) % 4; }

    // The controls, for the recurrence panel's tests and for accessibility checks.
    QComboBox* kindButton() const { return m_kindButton; }
    QWidget* kindView(int kind) const { return m_views.value(kind); }
    QSpinBox* intervalField(int kind) const { return m_intervalFields.value(kind); }
    ToggleMatrix* weekdayMatrix() const { return m_weekdayMatrix; }
    ToggleMatrix* daysOfTheMonthMatrix() const { return m_daysOfTheMonthMatrix; }
    ToggleMatrix* monthMatrix() const { return m_monthMatrix; }
    QRadioButton* daysOfTheMonthModeButton() const { return m_daysOfTheMonthModeButton; }
    QRadioButton* nthWeekdayModeButton() const { return m_nthWeekdayModeButton; }
    QComboBox* monthViewNthWeekdayButton() const { return m_monthViewNthWeekdayButton; }
    QComboBox* monthViewWeekdayButton() const { return m_monthViewWeekdayButton; }
    QCheckBox* yearlyWeekOfTheMonthButton() const { return m_yearlyWeekOfTheMonthButton; }
    QComboBox* yearViewNthWeekdayButton() const { return m_yearViewNthWeekdayButton; }
    QComboBox* yearViewWeekdayButton() const { return m_yearViewWeekdayButton; }
    QDialogButtonBox* buttons() const { return m_buttons; }
    // The weekday (1 = Sunday) of the weekday matrix's column: the locale's week order.
    int weekdayOfColumn(int column) const { return m_weekdayOfColumn.value(column); }

public slots:
    void accept() override; // OK: ends editing in the fields first
    void reject() override; // Cancel

private:
    void makeIntervalRow(int kind, const QString& unitSingular, const QString& unitPlural, QWidget* view);
    QWidget* makeDailyView();
    QWidget* makeWeeklyView();
    QWidget* makeMonthlyView();
    QWidget* makeYearlyView();
    static QComboBox* makeNthWeekdayButton(QWidget* parent);
    static QComboBox* makeWeekdayButton(QWidget* parent);
    void setUpTabOrder();
    void showKind(int kind);
    void updateEnabling();
    void setInterval(int kind, int interval);
    void setDaysOfTheMonthMode(bool on);
    static void selectNthWeekday(QComboBox* nthButton, QComboBox* weekdayButton,
                                 const CustomRecurrenceForm::NthWeekday& nth);
    void showForm(const CustomRecurrenceForm& form);

    QComboBox* m_kindButton = nullptr;
    QVBoxLayout* m_box = nullptr;
    QList<QWidget*> m_views;           // by kind
    QList<QSpinBox*> m_intervalFields; // by kind
    QList<QLabel*> m_unitLabels;       // by kind: "week" or "weeks"
    ToggleMatrix* m_weekdayMatrix = nullptr;
    ToggleMatrix* m_daysOfTheMonthMatrix = nullptr;
    ToggleMatrix* m_monthMatrix = nullptr;
    QRadioButton* m_daysOfTheMonthModeButton = nullptr;
    QRadioButton* m_nthWeekdayModeButton = nullptr;
    QComboBox* m_monthViewNthWeekdayButton = nullptr;
    QComboBox* m_monthViewWeekdayButton = nullptr;
    QCheckBox* m_yearlyWeekOfTheMonthButton = nullptr;
    QComboBox* m_yearViewNthWeekdayButton = nullptr;
    QComboBox* m_yearViewWeekdayButton = nullptr;
    QDialogButtonBox* m_buttons = nullptr;
    QList<int> m_weekdayOfColumn; // 7 weekday numbers in the locale's order

    QDateTime m_startDate;
    std::shared_ptr<CalRecurrenceRule> m_recurrenceRule;
};
