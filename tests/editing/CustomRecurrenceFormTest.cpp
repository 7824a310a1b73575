// What the "Other..." panel shows of a rule, and the rule it gives back.
#include "editing/CustomRecurrenceForm.h"

#include "store/ics/RecurrenceRuleText.h"

#include <QStringList>
#include <QTimeZone>

#include <gtest/gtest.h>

namespace {

QString numbers(const QList<int>& values) {
    QStringList texts;
    for (int value : values)
        texts << QString::number(value);
    return texts.join(u',');
}

// Every field, the kinds not chosen too: they keep their defaults while the user switches kinds.
QString described(const CustomRecurrenceForm& form) {
    return QStringLiteral("kind %1 every %2/%3/%4/%5 on %6 | %7 %8 %9/%10 | in %11 %12 %13/%14")
        .arg(form.kind)
        .arg(form.intervals[0])
        .arg(form.intervals[1])
        .arg(form.intervals[2])
        .arg(form.intervals[3])
        .arg(numbers(form.weekdays), form.byDaysOfTheMonth ? QStringLiteral("days") : QStringLiteral("nth"),
             numbers(form.daysOfTheMonth))
        .arg(form.monthlyNth.weekNumber)
        .arg(form.monthlyNth.weekday)
        .arg(numbers(form.months), form.yearlyOnNthWeekday ? QStringLiteral("nth") : QStringLiteral("days"))
        .arg(form.yearlyNth.weekNumber)
        .arg(form.yearlyNth.weekday);
}

struct FormCase {
    const char* name;
    const char* rule;
    int startDay; // of December 2026, at 10:00 in New York
    const char* form;
    const char* ruleBack; // what OK gives for the form unchanged
};

// Friday 11 December 2026 is the second Friday (6) of the month; Thursday 31 December the last Thursday.
const FormCase CASES[] = {
    {"daily every third day", "FREQ=DAILY;INTERVAL=3", 11,
     "kind 0 every 3/1/1/1 on 6 | days 11 2/6 | in 12 days 2/6", "FREQ=DAILY;INTERVAL=3"},
    {"weekly on the rule's days", "FREQ=WEEKLY;BYDAY=MO,WE", 11,
     "kind 1 every 1/1/1/1 on 2,4 | days 11 2/6 | in 12 days 2/6", "FREQ=WEEKLY;BYDAY=MO,WE"},
    {"weekly without days takes the start's", "FREQ=WEEKLY;INTERVAL=2", 11,
     "kind 1 every 1/2/1/1 on 6 | days 11 2/6 | in 12 days 2/6", "FREQ=WEEKLY;INTERVAL=2;BYDAY=FR"},
    {"monthly on days of the month", "FREQ=MONTHLY;BYMONTHDAY=1,15", 11,
     "kind 2 every 1/1/1/1 on 6 | days 1,15 2/6 | in 12 days 2/6", "FREQ=MONTHLY;BYMONTHDAY=1,15"},
    {"monthly on the last Friday keeps the start's day", "FREQ=MONTHLY;BYDAY=-1FR", 11,
     "kind 2 every 1/1/1/1 on 6 | nth 11 -1/6 | in 12 days 2/6", "FREQ=MONTHLY;BYDAY=-1FR"},
    {"a fifth weekday is the last", "FREQ=DAILY", 31,
     "kind 0 every 1/1/1/1 on 5 | days 31 -1/5 | in 12 days -1/5", "FREQ=DAILY"},
    {"days the panel cannot show give way to the start's", "FREQ=MONTHLY;BYMONTHDAY=-1", 11,
     "kind 2 every 1/1/1/1 on 6 | days 11 2/6 | in 12 days 2/6", "FREQ=MONTHLY;BYMONTHDAY=11"},
    {"yearly in months on a numbered weekday", "FREQ=YEARLY;BYMONTH=3,9;BYDAY=1SU", 11,
     "kind 3 every 1/1/1/1 on 6 | days 11 2/6 | in 3,9 nth 1/1", "FREQ=YEARLY;BYDAY=1SU;BYMONTH=3,9"},
};

} // namespace

TEST(CustomRecurrenceFormTest, ShowsEachRuleAndGivesItBack) {
    for (const FormCase& c : CASES) {
        SCOPED_TRACE(c.name);
        const auto rule = RecurrenceRuleText::parse(QString::fromUtf8(c.rule));
        ASSERT_TRUE(rule);
        const QDateTime start(QDate(2026, 12, c.startDay), QTime(10, 0), QTimeZone("America/New_York"));
        const CustomRecurrenceForm form = CustomRecurrenceForm::fromRule(*rule, start);
        EXPECT_EQ(described(form), QString::fromUtf8(c.form));
        EXPECT_EQ(RecurrenceRuleText::format(*form.toRule(), {}), QString::fromUtf8(c.ruleBack));
    }
}
