#include "IcsSeriesData.h"

#include "RecurrenceRuleText.h"

void IcsSeriesData::setRecurrence(IcsRecurrence recurrence) {
    // No record holds several rules: such a series reads as one whose rule the editor cannot show.
    if (recurrence.rrules.size() == 1)
        rule = RecurrenceRuleText::parse(QString::fromUtf8(recurrence.rrules.front()), zone);
    if (!recurrence.isEmpty())
        expander = std::make_unique<RecurrenceExpander>(master->start, std::move(recurrence));
}
