// Rules without BY parts are stepped without libical: the instances must be the ones libical gives.
#include "store/ics/PlainRuleStepper.h"

#include <QList>
#include <QString>

#include <gtest/gtest.h>

namespace {

QList<WallTime> libicalInstances(const icalrecurrencetype& rule, const WallTime& start, int count) {
    icaltimetype first = icaltime_null_time();
    first.year = start.year;
    first.month = start.month;
    first.day = start.day;
    first.hour = start.hour;
    first.minute = start.minute;
    QList<WallTime> result;
    icalrecur_iterator* iterator = icalrecur_iterator_new(rule, first);
    for (icaltimetype next = icalrecur_iterator_next(iterator);
         !icaltime_is_null_time(next) && result.size() < count; next = icalrecur_iterator_next(iterator))
        result.append(WallTime{next.year, next.month, next.day, next.hour, next.minute, next.second});
    icalrecur_iterator_free(iterator);
    return result;
}

QString text(const QList<WallTime>& times) {
    QStringList parts;
    for (const WallTime& t : times)
        parts.append(
            QStringLiteral("%1-%2-%3 %4:%5").arg(t.year).arg(t.month).arg(t.day).arg(t.hour).arg(t.minute));
    return parts.join(u", ");
}

TEST(PlainRuleStepperTest, StepsAsLibicalDoesAcrossMonthEndsAndLeapDays) {
    const WallTime starts[] = {{2024, 1, 31, 9, 30, 0},   {2024, 2, 29, 0, 0, 0},  {2023, 3, 30, 23, 0, 0},
                               {2025, 12, 31, 10, 15, 0}, {2026, 3, 29, 2, 30, 0}, {1999, 5, 15, 7, 0, 0}};
    const char* const frequencies[] = {"DAILY", "WEEKLY", "MONTHLY", "YEARLY"};
    int compared = 0;
    for (const WallTime& start : starts) {
        for (const char* frequency : frequencies) {
            for (int interval : {1, 2, 3, 5, 12}) {
                const QByteArray rrule =
                    QByteArray("FREQ=") + frequency + ";INTERVAL=" + QByteArray::number(interval);
                const icalrecurrencetype rule = icalrecurrencetype_from_string(rrule.constData());
                std::optional<PlainRuleStepper> stepper = PlainRuleStepper::of(rule, start);
                ASSERT_TRUE(stepper) << rrule.constData();
                const QList<WallTime> expected = libicalInstances(rule, start, 40);
                QList<WallTime> stepped;
                while (stepped.size() < expected.size())
                    stepped.append(stepper->next());
                ASSERT_GE(expected.size(), 20)
                    << rrule.constData() << " from " << text({start}).toStdString();
                EXPECT_EQ(text(stepped), text(expected))
                    << rrule.constData() << " from " << text({start}).toStdString();
                ++compared;
            }
        }
    }
    EXPECT_EQ(compared, 6 * 4 * 5);
}

TEST(PlainRuleStepperTest, RulesWithPartsOrFinerFrequenciesAreLeftToLibical) {
    for (const char* rrule :
         {"FREQ=WEEKLY;BYDAY=MO,WE", "FREQ=MONTHLY;BYMONTHDAY=-1", "FREQ=YEARLY;BYMONTH=3", "FREQ=HOURLY",
          "FREQ=MONTHLY;BYSETPOS=1;BYDAY=MO", "RSCALE=HEBREW;FREQ=YEARLY"}) {
        const icalrecurrencetype rule = icalrecurrencetype_from_string(rrule);
        EXPECT_FALSE(PlainRuleStepper::of(rule, WallTime{2026, 1, 1, 0, 0, 0})) << rrule;
        free(rule.rscale);
    }
}

} // namespace
