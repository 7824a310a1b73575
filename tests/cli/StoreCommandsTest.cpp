// The store commands of verdalune-cli on a temporary calendar folder: the real program end to end.
#include "CliRunner.h"

#include <QDir>
#include <QFileInfo>
#include <QImage>
#include <QTemporaryDir>

namespace {

class StoreCommandsTest : public ::testing::Test {
protected:
    CliRun cli(const QStringList& arguments) {
        QProcessEnvironment environment;
        environment.insert("VERDALUNE_CALENDAR_DIR", folder.path() + "/calendars");
        return runCli(arguments, {}, environment);
    }
    // The uid that add printed.
    QString add(const QString& line) {
        const CliRun run = cli({"add", "--now", "2026-12-07T08:00", line});
        EXPECT_EQ(run.exitCode, 0) << run.err.toStdString();
        return run.out.section(u'\t', 0, 0);
    }
    QString path(const QString& name) const { return folder.filePath(name); }

    QTemporaryDir folder;
};

TEST_F(StoreCommandsTest, AddedEventsAreListedAndRemoved) {
    const QString lunch = add("tomorrow 12:30 to 13:30 lunch");
    add("fri to sun trip");
    CliRun run = cli({"list", "--from", "2026-12-07T00:00", "--to", "2026-12-14T00:00"});
    EXPECT_EQ(run.exitCode, 0);
    EXPECT_EQ(run.out.toStdString(), "2026-12-08 12:30 – 2026-12-08 13:30  lunch  [Home]\n"
                                     "2026-12-11 (all day)  trip  [Home]\n");
    EXPECT_EQ(cli({"remove", lunch}).exitCode, 0);
    run = cli({"list", "--from", "2026-12-07T00:00", "--to", "2026-12-14T00:00"});
    EXPECT_EQ(run.out.toStdString(), "2026-12-11 (all day)  trip  [Home]\n");
    EXPECT_EQ(cli({"remove", lunch}).exitCode, 1);
}

TEST_F(StoreCommandsTest, RenderWritesTheRangeAsAPngThatGrowsWithTheRows) {
    const QString lunch = add("tomorrow 12:30 to 13:30 lunch");
    const QStringList range{"render", "--from", "2026-12-07T06:00", "--interval",
                            "432000", "--now",  "2026-12-07T09:00"};
    CliRun run = cli(range + QStringList{"--selected", lunch, "--width", "900", path("small.png")});
    ASSERT_EQ(run.exitCode, 0) << run.err.toStdString();
    EXPECT_EQ(QImage(path("small.png")).size(), QSize(900, 800));

    for (int i = 0; i < 40; ++i)
        add(QStringLiteral("tomorrow 12:%1 to 14:00 meeting %2").arg(i % 60, 2, 10, QChar(u'0')).arg(i));
    run = cli(range + QStringList{"--scale", "linear", "--time-mode", "24", path("tall.png")});
    ASSERT_EQ(run.exitCode, 0) << run.err.toStdString();
    const QImage tall(path("tall.png"));
    EXPECT_EQ(tall.width(), 1280);
    EXPECT_GT(tall.height(), 800);
}

TEST_F(StoreCommandsTest, RenderRefusesBadArgumentsAndLeavesNoFile) {
    add("tomorrow 12:30 to 13:30 lunch");
    const QString out = path("out.png");
    struct Case {
        QStringList arguments;
        const char* message;
    };
    const Case cases[] = {
        {{"--interval", "432000", out}, "--from and --interval are required"},
        {{"--from", "tomorrow", "--interval", "432000", out}, "--from: \"tomorrow\" is not a date-time"},
        {{"--from", "2026-12-07T06:00", "--interval", "60", out}, "--interval must be a number from 21600"},
        {{"--from", "2026-12-07T06:00", "--interval", "432000", "--width", "wide", out}, "--width must be"},
        {{"--from", "2026-12-07T06:00", "--interval", "432000", "--scale", "cubic", out}, "--scale must be"},
        {{"--from", "2026-12-07T06:00", "--interval", "432000", "--time-mode", "13", out},
         "--time-mode must be"},
        {{"--from", "2026-12-07T06:00", "--interval", "432000", "--selected", "nope", out},
         "no event with uid"},
        {{"--from", "2026-12-07T06:00", "--interval", "432000"}, "give one output file"},
        {{"--from", "2026-12-07T06:00", "--interval", "432000", path("missing/dir/out.png")}, "cannot write"},
    };
    for (const Case& c : cases) {
        const CliRun run = cli(QStringList{"render"} + c.arguments);
        EXPECT_EQ(run.exitCode, 2) << c.message;
        EXPECT_TRUE(run.err.contains(QString::fromUtf8(c.message))) << run.err.toStdString();
    }
    EXPECT_EQ(QDir(folder.path()).entryList(QDir::Files), QStringList());
}

} // namespace
