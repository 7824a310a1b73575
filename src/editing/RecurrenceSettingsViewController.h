#pragma once

#include "records/CalRecurrenceEnd.h"

#include <QDateTime>
#include <QWidget>

#include <functional>
#include <memory>
#include <optional>

class CalRecurrenceRule;
class CustomRecurrenceController;
class EventDescription;
class GridView;
class QComboBox;
class QDateEdit;
class QLabel;
class QSpinBox;

// The recurrence panel of the event editor: a pop-up of no recurrence, the four plain recurrences (every
// day, week, month, year) and a custom one edited in a modal dialog ("Other..."), and a pop-up of how the
// recurrence ends (never, after a count, on a date). A custom rule (an interval other than 1, or any
// weekdays, days, months or nth weekdays) also shows its description in the entry language.
//
// The panel lays itself out in a GridView and keeps its own size equal to the grid's, so that an editor
// placing it in a grid of its own follows its height (the grid also announces GridView::sizeChanged).
// Every change the user makes builds a new rule, stores it and announces it through recurrenceRuleChanged
// for the editor to put into the event; setRecurrenceRule announces nothing. A disabled panel (a
// read-only calendar: QWidget::setEnabled(false)) disables every control.
class RecurrenceSettingsViewController : public QWidget {
    Q_OBJECT
public:
    // Tags of the recurrence pop-up's entries (the entry's index and its item data).
    enum RecurrenceTag { NoRecurrenceTag = 0, DailyTag, WeeklyTag, MonthlyTag, YearlyTag, OtherTag };
    // Tags of the end pop-up's entries.
    enum EndTag { NeverEndsTag = 0, EndsAfterCountTag, EndsAfterDateTag };

    // `description` writes the description of custom rules; none is an InternalInconsistency
    // "have eventDescription".
    explicit RecurrenceSettingsViewController(std::shared_ptr<EventDescription> description,
                                              QWidget* parent = nullptr);
    ~RecurrenceSettingsViewController() override;

    // A copy of the rule shown; null: no recurrence.
    std::shared_ptr<CalRecurrenceRule> recurrenceRule() const;
    // Stores a copy of `rule` and shows it. Announces nothing.
    void setRecurrenceRule(std::shared_ptr<CalRecurrenceRule> rule);
    QDateTime startDate() const { return m_startDate; }
    // The event's start: the custom dialog's defaults come from its weekday, day and month.
    void setStartDate(const QDateTime& startDate) { m_startDate = startDate; }
    // Where "now" comes from ("Ends After Date" ends 24 hours after it); the system clock by default.
    void setClock(std::function<QDateTime()> clock);

    // True for a rule the plain entries do not describe: interval not 1, or any list of details given.
    static bool isCustomRule(const CalRecurrenceRule& rule);
    // The end the end controls describe: none, after the count field's value or on the end date.
    std::optional<CalRecurrenceEnd> recurrenceEnd() const;

    GridView* gridView() const { return m_gridView; }
    CustomRecurrenceController* customRecurrenceController() const { return m_customRecurrenceController; }
    // The controls, for tests and accessibility checks.
    QComboBox* recurrenceButton() const { return m_recurrenceButton; }
    QLabel* descriptionLabel() const { return m_descriptionLabel; }
    QComboBox* endsTypeButton() const { return m_endsTypeButton; }
    QSpinBox* endsCountField() const { return m_endsCountField; }
    QDateEdit* endsDatePicker() const { return m_endsDatePicker; }
    // The description wraps at this width (pixels).
    int descriptionWidth() const { return m_descriptionWidth; }
    void setDescriptionWidth(int width);
    // How the end date shows ("ddd d MMM yyyy"): as the event's own dates.
    void setEndDateFormat(const QString& format);

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override { return sizeHint(); }

signals:
    // After every change by the user; null: no recurrence.
    void recurrenceRuleChanged(std::shared_ptr<CalRecurrenceRule> rule);

private:
    void buildLayout();
    void updateUI();
    void layOutGrids();
    // Stores a copy of `rule`, shows it and announces it.
    void setRuleByUser(std::shared_ptr<CalRecurrenceRule> rule);
    void replaceEndByUser(std::optional<CalRecurrenceEnd> end);
    QDateTime now() const { return m_clock(); }

    void recurrenceChosen(int index);
    void endChosen(int index);
    void noRecurrenceAction();
    void everyDayAction();
    void everyWeekAction();
    void everyMonthAction();
    void everyYearAction();
    void customAction();
    void neverEndsAction();
    void endsAfterCountAction();
    void endsAfterDateAction();
    void endsDatePickerAction();
    void setOccurrenceCount(int count);

    QLabel* m_recurrenceLabel = nullptr;
    GridView* m_gridView = nullptr;
    QComboBox* m_recurrenceButton = nullptr;
    QLabel* m_descriptionLabel = nullptr;
    QLabel* m_endsLabel = nullptr;
    GridView* m_endsGridView = nullptr;
    GridView* m_endsInternalGridView = nullptr;
    QComboBox* m_endsTypeButton = nullptr;
    QLabel* m_endsCountLabel = nullptr;
    QSpinBox* m_endsCountField = nullptr;
    QLabel* m_endsDateLabel = nullptr;
    QDateEdit* m_endsDatePicker = nullptr;
    CustomRecurrenceController* m_customRecurrenceController = nullptr;
    std::shared_ptr<CalRecurrenceRule> m_recurrenceRule;
    QDateTime m_startDate;
    std::shared_ptr<EventDescription> m_eventDescription;
    std::function<QDateTime()> m_clock;
    int m_descriptionWidth = 0;
};
