#include "CorpusFiles.h"
#include "DateEnvironmentGuard.h"
#include "TestSupport.h"

#include "store/ics/RecurrenceRuleText.h"
#include "store/ics/ZoneResolver.h"

#include <QRegularExpression>

#include <gtest/gtest.h>

namespace {

QString joined(const std::optional<QList<int>>& list) {
    QStringList parts;
    for (int value : list.value_or(QList<int>()))
        parts.append(QString::number(value));
    return parts.join(u',');
}

// A rule record in a few words: "weekly/2 days 2,4 count 8".
QString described(const std::shared_ptr<CalRecurrenceRule>& rule) {
    if (!rule)
        return QStringLiteral("none");
    static const char* const TYPES[] = {"daily", "weekly", "monthly", "yearly"};
    QString text =
        QStringLiteral("%1/%2").arg(QLatin1String(TYPES[rule->recurrenceType])).arg(rule->recurrenceInterval);
    if (rule->daysOfTheWeek)
        text += QStringLiteral(" days ") + joined(rule->daysOfTheWeek);
    if (rule->daysOfTheMonth)
        text += QStringLiteral(" monthdays ") + joined(rule->daysOfTheMonth);
    if (rule->monthsOfTheYear)
        text += QStringLiteral(" months ") + joined(rule->monthsOfTheYear);
    for (const CalNthWeekDay& nth : rule->nthWeekDaysOfTheMonth.value_or(QList<CalNthWeekDay>()))
        text += QStringLiteral(" nth %1/%2").arg(nth.dayOfTheWeek).arg(nth.weekNumber);
    if (rule->recurrenceEnd)
        text += rule->recurrenceEnd->usesEndDate
                    ? QStringLiteral(" until ") + rule->recurrenceEnd->endDate.toUTC().toString(Qt::ISODate)
                    : QStringLiteral(" count %1").arg(rule->recurrenceEnd->occurrenceCount);
    return text;
}

// RFC 5545 text with folded lines joined.
QString unfolded(const QByteArray& text) {
    return QString::fromUtf8(text).replace(QRegularExpression(QStringLiteral("\r?\n[ \t]")), QString());
}

} // namespace

TEST(RecurrenceRuleTextTest, ParsesWhatARecordCanHoldAndNothingElse) {
    const WallClockZone berlin = *ZoneResolver::named(QStringLiteral("Europe/Berlin"));
    struct Case {
        const char* rrule;
        const char* expected;
    };
    for (const Case& c : {
             Case{"FREQ=DAILY", "daily/1"},
             Case{"FREQ=WEEKLY;INTERVAL=2;BYDAY=MO,WE,FR;WKST=SU", "weekly/2 days 2,4,6"},
             Case{"FREQ=WEEKLY;UNTIL=19971224T000000Z", "weekly/1 until 1997-12-24T00:00:00Z"},
             Case{"FREQ=WEEKLY;UNTIL=20141205", "weekly/1 until 2014-12-05T22:59:59Z"}, // end of that day
             Case{"FREQ=DAILY;BYDAY=MO,TU,WE,TH,FR", "weekly/1 days 2,3,4,5,6"},
             Case{"FREQ=MONTHLY;BYDAY=2TU", "monthly/1 nth 3/2"},
             Case{"FREQ=MONTHLY;COUNT=6;BYDAY=-1FR", "monthly/1 nth 6/-1 count 6"},
             Case{"FREQ=MONTHLY;BYMONTHDAY=1,15,-1", "monthly/1 monthdays 1,15,-1"},
             Case{"FREQ=YEARLY;BYMONTH=3;BYDAY=-1SU", "yearly/1 months 3 nth 1/-1"},
             Case{"FREQ=YEARLY;INTERVAL=4;BYMONTH=1,7", "yearly/4 months 1,7"},
             Case{"FREQ=YEARLY;BYMONTH=11;BYMONTHDAY=1", "yearly/1 monthdays 1 months 11"},
             // A record cannot hold these without changing what they mean.
             Case{"FREQ=HOURLY;INTERVAL=3", "none"},
             Case{"FREQ=WEEKLY;INTERVAL=2;BYDAY=SU,TU;WKST=SU", "none"}, // Sunday starts the week
             Case{"FREQ=DAILY;INTERVAL=2;BYDAY=MO", "none"},
             Case{"FREQ=MONTHLY;BYDAY=MO", "none"},
             Case{"FREQ=MONTHLY;BYDAY=1MO,3MO", "none"},
             Case{"FREQ=MONTHLY;BYDAY=5TU", "none"},
             Case{"FREQ=MONTHLY;BYDAY=MO,TU,WE,TH,FR;BYSETPOS=-1", "none"},
             Case{"FREQ=YEARLY;BYDAY=20MO", "none"},
             Case{"FREQ=YEARLY;BYMONTHDAY=15", "none"},
             Case{"FREQ=YEARLY;BYWEEKNO=20", "none"},
             Case{"FREQ=SOMETIMES", "none"},
         }) {
        SCOPED_TRACE(c.rrule);
        EXPECT_EQ(described(RecurrenceRuleText::parse(QString::fromLatin1(c.rrule), berlin)),
                  QString::fromLatin1(c.expected));
    }
}

TEST(RecurrenceRuleTextTest, FormatsARecord) {
    auto weekly = CalRecurrenceRule::rule(CalRecurrenceRule::Weekly, 2);
    weekly->daysOfTheWeek = QList<int>{2, 4};
    weekly->recurrenceEnd = CalRecurrenceEnd{false, {}, 8};
    auto monthly = CalRecurrenceRule::rule(CalRecurrenceRule::Monthly);
    monthly->nthWeekDaysOfTheMonth = QList<CalNthWeekDay>{{3, 2}};
    auto yearly = CalRecurrenceRule::rule(CalRecurrenceRule::Yearly);
    yearly->monthsOfTheYear = QList<int>{3};
    yearly->nthWeekDaysOfTheMonth = QList<CalNthWeekDay>{{1, -1}};
    yearly->recurrenceEnd = CalRecurrenceEnd{true, utc(2025, 1, 1), 0};
    auto daily = CalRecurrenceRule::rule(CalRecurrenceRule::Daily);
    daily->recurrenceEnd = CalRecurrenceEnd{true, utc(2024, 1, 31, 23), 0};
    daily->daysOfTheMonth = QList<int>{}; // present but empty: nothing to write
    struct Case {
        std::shared_ptr<CalRecurrenceRule> rule;
        const char* until;
        const char* expected;
    };
    for (const Case& c : {Case{weekly, "", "FREQ=WEEKLY;INTERVAL=2;COUNT=8;BYDAY=MO,WE"},
                          Case{monthly, "", "FREQ=MONTHLY;BYDAY=2TU"},
                          Case{yearly, "20250101", "FREQ=YEARLY;UNTIL=20250101;BYDAY=-1SU;BYMONTH=3"},
                          Case{daily, "", "FREQ=DAILY;UNTIL=20240131T230000Z"}}) {
        SCOPED_TRACE(c.expected);
        EXPECT_EQ(RecurrenceRuleText::format(*c.rule, QString::fromLatin1(c.until)),
                  QString::fromLatin1(c.expected));
    }
    auto hourly = CalRecurrenceRule::rule(CalRecurrenceRule::Daily);
    hourly->recurrenceType = 4;
    EXPECT_EQ(failureText([&] { RecurrenceRuleText::format(*hourly, QString()); }),
              "unknown recurrence type 4");
}

// Writing a parsed corpus rule back gives the same occurrences: in every corpus file with one RRULE
// on its events, the rule is replaced by its formatted record and both versions are expanded.
TEST(RecurrenceRuleTextTest, FormattedCorpusRulesExpandLikeTheOriginals) {
    DateEnvironmentGuard guard(QStringLiteral("Europe/Berlin"));
    const QRegularExpression veventRrule(
        QStringLiteral("BEGIN:VEVENT(?:(?!END:VEVENT).)*?\\n(RRULE:[^\\r\\n]*)"),
        QRegularExpression::DotMatchesEverythingOption);
    int compared = 0;
    for (const QString& file : corpusFiles()) {
        const QString text = unfolded(corpusText(file));
        QRegularExpressionMatchIterator matches = veventRrule.globalMatch(text);
        if (!matches.hasNext())
            continue;
        const QRegularExpressionMatch match = matches.next();
        if (matches.hasNext())
            continue;
        const IcsReadResult original = IcsReader::read(text.toUtf8());
        if (original.malformed || original.series.size() != 1 || !original.series[0].masterRecord())
            continue;
        const auto rule = original.series[0].masterRecord()->recurrenceRule;
        if (!rule)
            continue;
        SCOPED_TRACE(file.toStdString());
        QString rewritten = text;
        rewritten.replace(match.capturedStart(1), match.capturedLength(1),
                          QStringLiteral("RRULE:") + RecurrenceRuleText::format(*rule, QString()));
        const IcsReadResult formatted = IcsReader::read(rewritten.toUtf8());
        ASSERT_EQ(formatted.series.size(), 1);
        const QDateTime from = original.series[0].masterRecord()->startDate;
        const QDateTime to = from.addYears(3);
        QStringList before;
        QStringList after;
        for (const auto& event : original.series[0].occurrences(from, to))
            before.append(event->startDate.toString(Qt::ISODate));
        for (const auto& event : formatted.series[0].occurrences(from, to))
            after.append(event->startDate.toString(Qt::ISODate));
        EXPECT_EQ(before, after);
        EXPECT_EQ(described(formatted.series[0].masterRecord()->recurrenceRule), described(rule));
        ++compared;
    }
    EXPECT_GT(compared, 60);
}
