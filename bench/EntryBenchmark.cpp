// Time to turn a typed line into an event: parsing plus applying the tree to a copy of the base event,
// as the event editor does on every keystroke; and the whole answer of `verdalune-cli parse -` to a line.
#include "cli/EntryLineAnswer.h"
#include "cli/ParseOptions.h"
#include "dates/DateEnvironment.h"
#include "entry/CalEventBuilder.h"
#include "entry/ParsingController.h"

#include <benchmark/benchmark.h>

#include <cstdio>
#include <cstdlib>

namespace {

const QStringList LINES{"tomorrow 12:30 to 13:30 lunch",
                        "work: mon 9am standup",
                        "fri to sun trip",
                        "fri 9am lunch",
                        "tomorrow 11pm to 1am party",
                        "dec 25th christmas",
                        "3/4 dentist",
                        "+2 weeks review",
                        "mon to +2 days conference",
                        "9am to 5 lunch",
                        "at 3:30 pm call mom",
                        "home: sat noon picnic",
                        "next month rent",
                        "thu next week 14:00 to 15:30 planning",
                        "today 18:00 gym",
                        "sunday dec 25 family",
                        "10th 9am haircut",
                        "wed 9:15 a.m. coffee",
                        "work: tomorrow",
                        "jan 5 to jan 7 holiday"};

void parseAndUpdate(benchmark::State& state) {
    (void)DateEnvironment::setTimeZone(QStringLiteral("Europe/Berlin"));
    DateEnvironment::setLocale(QStringLiteral("en_US"));
    ParsingController controller;
    controller.setCalendarNames({"Home", "Work"});
    CalEventBuilder builder;
    auto home = CalCalendar::calendar();
    home->title = "Home";
    auto work = CalCalendar::calendar();
    work->title = "Work";
    builder.setCalendars({home, work});
    const CalendarDate now = CalendarDate::fromComponents(2026, 6, 10, 10, 0, 0);
    auto base = CalEvent::event();
    base->title = "New Event";
    base->startDate = CalendarDate::dateWithDate(now, {12, 0, 0}).toQDateTime();
    base->endDate = CalendarDate::dateWithDate(now, {13, 0, 0}).toQDateTime();

    for (auto _ : state) {
        for (const QString& line : LINES) {
            const std::optional<ParseTreeNode> tree = controller.parseEvent(line);
            if (!tree) {
                state.SkipWithError("a benchmark line was not understood");
                return;
            }
            auto event = base->copy();
            builder.updateEvent(*event, *tree, now);
            benchmark::DoNotOptimize(event);
        }
    }
    state.counters["us_per_line"] =
        benchmark::Counter(double(state.iterations()) * double(LINES.size()) / 1e6,
                           benchmark::Counter::kIsRate | benchmark::Counter::kInvert);
}

// Input lines as the batch mode reads them, with lines it does not understand among them.
const QList<QByteArray> BATCH_LINES{"tomorrow 12:30 to 13:30 lunch",
                                    "work: mon 9am standup",
                                    "fri to sun trip",
                                    "dec 5 dentist",
                                    "next week planning",
                                    "tomorrow 11pm to 1am party",
                                    "home: 3/4 9:15 a.m. to 10:45 a.m. \"quoted\" title",
                                    "+2 weeks review",
                                    "thu next week 14:00 to 15:30 Frühstück",
                                    "at 3:30 pm call mom",
                                    "25 december",
                                    "work:",
                                    "lunch tomorrow",
                                    "jan 5 to jan 7 holiday",
                                    "sat noon - 2pm picnic",
                                    "10th 18:00 gym"};

// Decoding each line, answering it and writing the JSON line, as the command's loop does.
void parseCommandBatch(benchmark::State& state) {
    QString error;
    const std::optional<ParseOptions> options =
        ParseOptions::read({"--now", "2026-06-10T10:00", "--tz", "America/New_York", "--time-mode", "12",
                            "--calendars", "Home,Work", "-"},
                           error);
    if (!options) {
        state.SkipWithError(error.toStdString().c_str());
        return;
    }
    EntryLineAnswer answers(*options);
    std::FILE* sink = std::fopen("/dev/null", "w");
    for (auto _ : state) {
        for (const QByteArray& line : BATCH_LINES) {
            const QByteArray json = answers.answer(QString::fromUtf8(line)).json;
            std::fwrite(json.constData(), 1, size_t(json.size()), sink);
        }
    }
    std::fclose(sink);
    state.counters["us_per_line"] =
        benchmark::Counter(double(state.iterations()) * double(BATCH_LINES.size()) / 1e6,
                           benchmark::Counter::kIsRate | benchmark::Counter::kInvert);
}

} // namespace

BENCHMARK(parseAndUpdate)->Unit(benchmark::kMicrosecond);
BENCHMARK(parseCommandBatch)->Unit(benchmark::kMicrosecond);
BENCHMARK_MAIN();
