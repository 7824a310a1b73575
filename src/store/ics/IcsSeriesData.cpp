#include "IcsSeriesData.h"

#include "RecurrenceRuleText.h"

void IcsSeriesData::setRecurrence(IcsRecurrence recurrence) {
    if (!recurrence.rrule.isEmpty())
        rule = RecurrenceRuleText::parse(QString::fromUtf8(recurrence.rrule), zone);
    if (!recurrence.isEmpty())
        expander = std::make_unique<RecurrenceExpander>(master->start, std::move(recurrence));
}
