// verdalune-cli parse as a shell user meets it: the real program, its output and exit status.
#include "CliRunner.h"

namespace {

CliRun cli(const QStringList& arguments, const QByteArray& input = {},
           const QString& locale = "en_US.UTF-8") {
    return runCli(QStringList{"parse"} + arguments, input, {}, locale);
}

const QStringList JUNE_10{"--now", "2026-06-10T10:00", "--tz", "America/New_York", "--time-mode", "12"};

TEST(ParseCommand, PrintsTheEventAsOneJsonLine) {
    const CliRun run = cli(JUNE_10 + QStringList{"--calendars", "Home,Work", "work: mon 9am standup"});
    EXPECT_EQ(run.exitCode, 0);
    EXPECT_EQ(
        run.out.toStdString(),
        R"({"shape": "calendarAndEvent", "start": "2026-06-15T09:00:00-04:00", )"
        R"("end": "2026-06-15T10:00:00-04:00", "allDay": false, "title": "standup", "calendar": "Work", )"
        R"("description": "Mon 9:00 AM - 10:00 AM standup"})"
        "\n");
}

TEST(ParseCommand, DatesAreWrittenInTheChosenZoneWithTheirOffset) {
    struct Case {
        QStringList arguments;
        const char* start;
        const char* end;
    } cases[] = {
        // The clocks go back on Sunday November 1: the end has another offset than the start.
        {{"--now", "2026-10-31T12:00", "--tz", "America/New_York", "sat 11pm to 9am x"},
         "2026-10-31T23:00:00-04:00",
         "2026-11-01T09:00:00-05:00"},
        {{"--now", "2026-06-10T10:00", "--tz", "Asia/Kolkata", "tomorrow x"},
         "2026-06-11T00:00:00+05:30",
         "2026-06-12T00:00:00+05:30"},
        // An explicit offset names the moment; it is shown in the zone.
        {{"--now", "2026-06-10T23:30Z", "--tz", "Europe/Berlin", "noon x"},
         "2026-06-11T12:00:00+02:00",
         "2026-06-11T13:00:00+02:00"},
        {{"--now", "2026-06-10T10:00", "--tz", "Europe/London", "--base-start", "2026-06-10T08:00",
          "--base-end", "2026-06-10T08:45", "fri 9am x"},
         "2026-06-12T09:00:00+01:00",
         "2026-06-12T09:45:00+01:00"},
        // ISO dates are proleptic Gregorian: 1500 had no February 29 there.
        {{"--now", "1500-02-28T12:00Z", "--tz", "UTC", "tomorrow 3pm x"},
         "1500-03-01T15:00:00+00:00",
         "1500-03-01T16:00:00+00:00"},
        // Beyond the year 9999 in the zone, still within it in UTC.
        {{"--now", "9999-12-31T12:00Z", "--tz", "Asia/Tokyo", "tomorrow 3am x"},
         "9999-12-31T18:00:00+00:00",
         "9999-12-31T19:00:00+00:00"},
    };
    for (const Case& c : cases) {
        const CliRun run = cli(c.arguments);
        EXPECT_EQ(run.exitCode, 0) << run.err.toStdString();
        EXPECT_TRUE(run.out.contains(QStringLiteral("\"start\": \"%1\"").arg(c.start)))
            << run.out.toStdString();
        EXPECT_TRUE(run.out.contains(QStringLiteral("\"end\": \"%1\"").arg(c.end))) << run.out.toStdString();
    }
    // An event ending beyond the year 9999 in UTC is an error.
    const CliRun late = cli({"--now", "9999-12-31T22:00Z", "--tz", "UTC", "23:30 to 1am late"});
    EXPECT_EQ(late.exitCode, 1);
    EXPECT_EQ(late.out, "{\"error\": \"dates outside the years 1-9999\"}\n");
}

TEST(ParseCommand, LinesNotUnderstoodExitWithOne) {
    for (const QString line :
         {"lunch tomorrow", "at 9 lunch", "0 lunch", "", "   ", "--now", "-qmljsdebugger=port:1"}) {
        // After "--" the line is a line even when it reads as an option, or as one of Qt's own.
        const CliRun run =
            cli(JUNE_10 + (line.startsWith(u'-') ? QStringList{"--", line} : QStringList{line}));
        EXPECT_EQ(run.exitCode, 1) << line.toStdString() << run.err.toStdString();
        EXPECT_EQ(run.out, "{\"error\": \"not understood\"}\n") << line.toStdString();
    }
}

TEST(ParseCommand, BadArgumentsExitWithTwoAndSayWhy) {
    struct Case {
        QStringList arguments;
        const char* says;
    } cases[] = {
        {{"--tz", "Mars/Olympus", "x"}, "unknown time zone"},
        {{"--now", "2026-02-30T10:00", "x"}, "--now"},
        {{"--now", "tomorrow", "x"}, "--now"},
        {{"--time-mode", "13", "x"}, "--time-mode"},
        {{"--day-month-order", "2", "x"}, "--day-month-order"},
        {{"--base-start", "2026-06-10T10:00", "x"}, "--base-end"},
        {{"--base-start", "2026-06-10T10:00", "--base-end", "2026-06-10T09:00", "x"}, "earlier"},
        {{"--colour", "x"}, "unknown option"},
        {{"--now"}, "needs a value"},
        {{}, "missing"},
        {{"fri", "lunch"}, "one argument"},
    };
    for (const Case& c : cases) {
        const CliRun run = cli(c.arguments);
        EXPECT_EQ(run.exitCode, 2) << c.arguments.join(' ').toStdString();
        EXPECT_TRUE(run.out.isEmpty());
        EXPECT_TRUE(run.err.contains(QString::fromUtf8(c.says))) << run.err.toStdString();
    }
}

TEST(ParseCommand, DefaultsFollowTheLocale) {
    // In the United States the month comes first and clocks show am/pm.
    const CliRun us = cli({"--now", "2026-06-10T10:00", "3/4 9:00 x"}, {}, "en_US.UTF-8");
    EXPECT_TRUE(us.out.contains("\"start\": \"2027-03-04T09:00:00-05:00\"")) << us.out.toStdString();
    EXPECT_TRUE(us.out.contains("9:00 AM")) << us.out.toStdString();
    const CliRun uk = cli({"--now", "2026-06-10T10:00", "3/4 9:00 x"}, {}, "en_GB.UTF-8");
    EXPECT_TRUE(uk.out.contains("\"start\": \"2027-04-03T09:00:00-04:00\"")) << uk.out.toStdString();
    EXPECT_TRUE(uk.out.contains("\"description\": \"Sat Apr 3 9:00 - 10:00 x\"")) << uk.out.toStdString();
}

TEST(ParseCommand, CalendarNamesAreMatchedLiterally) {
    for (const char* name : {"C++", "(work)", "a|b", "[x", "a.b"}) {
        const CliRun run = cli(JUNE_10 + QStringList{"--calendars", QStringLiteral("Home,%1").arg(name),
                                                     QStringLiteral("%1: fri lunch").arg(name)});
        EXPECT_EQ(run.exitCode, 0) << name;
        EXPECT_TRUE(run.out.contains(QStringLiteral("\"calendar\": \"%1\"").arg(name)))
            << run.out.toStdString();
    }
    // "a.b" must not match "axb" as a pattern would.
    const CliRun literal = cli(JUNE_10 + QStringList{"--calendars", "a.b", "axb: fri lunch"});
    EXPECT_EQ(literal.exitCode, 1);
}

TEST(ParseCommand, StandardInputGivesOneObjectPerLineInOrder) {
    const QByteArray input = "fri lunch\n"
                             "lunch fri\n"
                             "\n"
                             "tomorrow\t\"quoted\" \\ title\r\n"
                             "mon to wed \x01 trip";
    const CliRun run = cli(JUNE_10 + QStringList{"-"}, input);
    EXPECT_EQ(run.exitCode, 0);
    const QStringList lines = run.out.split('\n', Qt::SkipEmptyParts);
    ASSERT_EQ(lines.size(), 5) << run.out.toStdString();
    EXPECT_TRUE(lines[0].contains("\"title\": \"lunch\""));
    EXPECT_EQ(lines[1], "{\"error\": \"not understood\"}");
    EXPECT_EQ(lines[2], "{\"error\": \"not understood\"}");
    // The tab is not swallowed by the date, so the title starts with it; quotes and backslashes are escaped.
    EXPECT_TRUE(lines[3].contains(R"("title": "\t\"quoted\" \\ title")")) << lines[3].toStdString();
    EXPECT_TRUE(lines[4].contains("\"title\": \"\\u0001 trip\"")) << lines[4].toStdString();
}

// A program that writes a line and waits for its answer must get it while the input is still open, though
// answers into a pipe are not flushed one by one.
TEST(ParseCommand, EachAnswerArrivesBeforeTheNextLineIsWritten) {
    QProcess process;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert("LC_ALL", "en_US.UTF-8");
    process.setProcessEnvironment(environment);
    process.start(QStringLiteral(VERDALUNE_CLI), QStringList{"parse"} + JUNE_10 + QStringList{"-"});
    for (const char* title : {"lunch", "dinner"}) {
        process.write(QByteArray("fri ") + title + '\n');
        QByteArray answer;
        while (!answer.endsWith('\n') && process.waitForReadyRead(30000))
            answer += process.readAllStandardOutput();
        EXPECT_TRUE(answer.contains(QByteArray("\"title\": \"") + title + '"')) << answer.toStdString();
        EXPECT_EQ(answer.count('\n'), 1) << answer.toStdString();
    }
    process.closeWriteChannel();
    EXPECT_TRUE(process.waitForFinished(30000));
    EXPECT_EQ(process.exitCode(), 0);
}

TEST(ParseCommand, HostileInputNeverBreaksTheProgram) {
    QByteArray input;
    input += QByteArray(10000, '9') + '\n';
    input += "fri " + QByteArray(10000, 'x') + '\n';
    input += QByteArray("to ").repeated(3000) + '\n';
    input += QByteArray("fri \0 lunch", 11) + '\n';
    input += "\xff\xfe invalid \xc3\x28 utf-8\n";
    input += "fri \xf0\x9f\x8e\x89 \xd7\xa7\xd7\xa4\xd7\x94 caf\x65\xcc\x81\n";
    input += "+99999999999 days x\n";
    input += "+1000000 years x\n";
    const CliRun run = cli(JUNE_10 + QStringList{"-"}, input);
    EXPECT_EQ(run.exitCode, 0) << run.err.toStdString();
    EXPECT_EQ(run.out.split('\n', Qt::SkipEmptyParts).size(), 8) << run.out.left(2000).toStdString();
    EXPECT_TRUE(run.err.isEmpty()) << run.err.left(2000).toStdString();
}

} // namespace
