// The store commands of verdalune-cli on a temporary calendar folder: the real program end to end.
#include "CliRunner.h"
#include "TestFiles.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QImage>
#include <QJsonDocument>
#include <QJsonObject>
#include <QRegularExpression>
#include <QTemporaryDir>

#include <QDirIterator>

#include <fcntl.h>
#include <grp.h>
#include <signal.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>

using namespace Qt::StringLiterals;

namespace {

class StoreCommandsTest : public ::testing::Test {
protected:
    CliRun cli(const QStringList& arguments, const CliProcess& how = {}, const QByteArray& input = {}) {
        QProcessEnvironment environment;
        environment.insert("VERDALUNE_CALENDAR_DIR", folder.path() + "/calendars");
        environment.insert("XDG_CACHE_HOME", folder.path() + "/cache");
        environment.insert("XDG_CONFIG_HOME", folder.path() + "/config");
        return runCli(arguments, input, environment, "en_US.UTF-8", how);
    }
    // Writes fail past the file-size limit as they do on a full disk, for this process alone.
    static CliProcess onAFullDisk() {
        return {[] {
            ::signal(SIGXFSZ, SIG_IGN);
            const rlimit limit{0, 0};
            ::setrlimit(RLIMIT_FSIZE, &limit);
        }};
    }
    QStringList filesIn(const QString& directory) const {
        return QDir(directory).entryList(QDir::Files | QDir::Hidden | QDir::System, QDir::Name);
    }
    // The uid that add printed.
    QString add(const QString& line) {
        const CliRun run = cli({"add", "--now", "2026-12-07T08:00", line});
        EXPECT_EQ(run.exitCode, 0) << run.err.toStdString();
        return run.out.section(u'\t', 0, 0);
    }
    QString path(const QString& name) const { return folder.filePath(name); }
    QString root() const { return folder.path() + "/calendars"; }
    // A calendar folder with the given metadata files and event files.
    void writeCalendar(const QString& name, const QList<std::pair<QString, QByteArray>>& files) {
        for (const auto& [file, bytes] : files)
            ASSERT_TRUE(writeFile(root() + "/" + name + "/" + file, bytes));
    }
    QStringList icsIn(const QString& calendar) const {
        return QDir(root() + "/" + calendar).entryList({"*.ics"}, QDir::Files, QDir::Name);
    }
    // An invitation of these events, saved where no calendar is.
    QString saved(const QByteArray& events) const {
        if (!writeFile(path("invite.ics"), invitation(events)))
            throw std::runtime_error("cannot write the invitation");
        return path("invite.ics");
    }
    static QByteArray invitation(const QByteArray& events) {
        return "BEGIN:VCALENDAR\r\nVERSION:2.0\r\nPRODID:-//test//EN\r\nMETHOD:REQUEST\r\n" + events +
               "END:VCALENDAR\r\n";
    }
    QList<QJsonObject> jsonLines(const QString& out) {
        QList<QJsonObject> objects;
        for (const QString& line : out.split(u'\n', Qt::SkipEmptyParts)) {
            QJsonParseError error;
            const QJsonDocument document = QJsonDocument::fromJson(line.toUtf8(), &error);
            EXPECT_EQ(error.error, QJsonParseError::NoError) << line.toStdString();
            objects.append(document.object());
        }
        return objects;
    }

    QTemporaryDir folder;
};

TEST_F(StoreCommandsTest, AddedEventsAreListedAndRemoved) {
    const QString lunch = add("tomorrow 12:30 to 13:30 lunch");
    add("fri to sun trip");
    CliRun run = cli({"list", "--from", "2026-12-07T00:00", "--to", "2026-12-14T00:00"});
    EXPECT_EQ(run.exitCode, 0);
    EXPECT_EQ(run.out.toStdString(), "2026-12-08 12:30 – 2026-12-08 13:30  lunch  [Home]\n"
                                     "2026-12-11 (all day)  trip  [Home]\n");
    // A date alone is its midnight.
    EXPECT_EQ(cli({"list", "--from", "2026-12-08", "--to", "2026-12-09"}).out.toStdString(),
              "2026-12-08 12:30 – 2026-12-08 13:30  lunch  [Home]\n");
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

TEST_F(StoreCommandsTest, RenderOntoAFullDiskOrATargetThatIsNotAFileKeepsWhatIsThere) {
    add("tomorrow 12:30 to 13:30 lunch");
    const QStringList render{"render", "--from", "2026-12-07T00:00", "--interval", "86400"};
    const QString image = path("day.png");
    ASSERT_EQ(cli(render + QStringList{image}).exitCode, 0);
    const QByteArray before = readFile(image);
    const QStringList filesBefore = filesIn(folder.path());

    CliRun run = cli(render + QStringList{"--width", "640", image}, onAFullDisk());
    EXPECT_EQ(run.exitCode, 2);
    EXPECT_TRUE(run.err.contains("cannot write")) << run.err.toStdString();
    EXPECT_EQ(readFile(image), before);
    EXPECT_EQ(filesIn(folder.path()), filesBefore);

    run = cli(render + QStringList{path("new.png")}, onAFullDisk());
    EXPECT_EQ(run.exitCode, 2);
    EXPECT_FALSE(QFileInfo::exists(path("new.png")));

    const QString pipe = path("pipe.png");
    ASSERT_EQ(::mkfifo(QFile::encodeName(pipe).constData(), 0600), 0);
    run = cli(render + QStringList{pipe});
    EXPECT_EQ(run.exitCode, 2);
    EXPECT_TRUE(run.err.contains("is not a regular file")) << run.err.toStdString();
    struct stat info {};
    ASSERT_EQ(::stat(QFile::encodeName(pipe).constData(), &info), 0);
    EXPECT_TRUE(S_ISFIFO(info.st_mode));
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
        {{"--from", "tomorrow", "--interval", "432000", out},
         "--from: \"tomorrow\" is not a date or date-time"},
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

const QByteArray STANDUP = "BEGIN:VCALENDAR\r\nVERSION:2.0\r\nPRODID:-//test//EN\r\nBEGIN:VEVENT\r\n"
                           "UID:standup\r\nDTSTAMP:20261201T000000Z\r\nDTSTART:20261207T140000Z\r\n"
                           "DTEND:20261207T141500Z\r\nRRULE:FREQ=DAILY;COUNT=5\r\nSUMMARY:standup\r\n"
                           "END:VEVENT\r\nEND:VCALENDAR\r\n";

TEST_F(StoreCommandsTest, BadArgumentsExitWithTwoAndMissingEventsWithOne) {
    const QStringList bad[] = {
        {"calendars", "extra"},
        {"calendars", "--colour"},
        {"list", "--from", "monday"},
        {"list", "--from", "2026-12-08T00:00", "--to", "2026-12-07T00:00"},
        {"list", "--to"},
        {"add"},
        {"add", "one", "two"},
        {"add", "--now", "2026-13-01T00:00", "lunch"},
        {"add", "--calendar", "Nowhere", "tomorrow lunch"},
        {"remove"},
        {"remove", "some-uid", "--span", "3"},
        {"remove", "some-uid", "--occurrence", "2026-12-07T25:00"},
    };
    for (const QStringList& arguments : bad) {
        const CliRun run = cli(arguments);
        EXPECT_EQ(run.exitCode, 2) << arguments.join(u' ').toStdString();
        EXPECT_TRUE(run.err.startsWith("verdalune-cli " + arguments.front() + ": ")) << run.err.toStdString();
        EXPECT_EQ(run.out, QString());
    }
    EXPECT_EQ(cli({"remove", "no-such-uid"}).exitCode, 1);
    add("tomorrow 12:30 to 13:30 lunch");
    const CliRun missing = cli({"remove", "no-such-uid"});
    EXPECT_EQ(missing.exitCode, 1);
    EXPECT_EQ(missing.err.toStdString(), "verdalune-cli remove: there is no event no-such-uid\n");
}

TEST_F(StoreCommandsTest, AnUnusableStoreFolderExitsWithOne) {
    ASSERT_TRUE(writeFile(path("plain-file")));
    QProcessEnvironment environment;
    environment.insert("VERDALUNE_CALENDAR_DIR", path("plain-file/calendars"));
    environment.insert("XDG_CACHE_HOME", path("cache"));
    for (const QStringList& arguments : {QStringList{"calendars"}, QStringList{"list"},
                                         QStringList{"add", "tomorrow lunch"}, QStringList{"remove", "x"}}) {
        const CliRun run = runCli(arguments, {}, environment);
        EXPECT_EQ(run.exitCode, 1) << arguments.front().toStdString();
        EXPECT_TRUE(run.err.contains("cannot be created")) << run.err.toStdString();
    }
}

TEST_F(StoreCommandsTest, JsonLinesDescribeCalendarsAndEvents) {
    const QString lunch = add("tomorrow 12:30 to 13:30 lunch");
    add("fri to sun trip");
    writeCalendar("team", {{"displayname", "Team \"A\""}, {"color", "#FF8800"}, {"readonly", ""}});

    const QList<QJsonObject> calendars = jsonLines(cli({"calendars", "--json"}).out);
    ASSERT_EQ(calendars.size(), 2);
    QJsonObject home = calendars[0], team = calendars[1];
    if (home["title"] != "Home")
        std::swap(home, team);
    EXPECT_EQ(home.keys(), QStringList({"color", "editable", "title", "type", "uid"}));
    EXPECT_EQ(home["title"], "Home");
    EXPECT_EQ(home["editable"], true);
    EXPECT_EQ(home["type"], "local");
    EXPECT_EQ(team["type"], "subscription");
    EXPECT_EQ(team["title"], "Team \"A\"");
    EXPECT_EQ(team["color"].toString().toUpper(), "#FF8800");
    EXPECT_EQ(team["editable"], false);

    const QList<QJsonObject> events =
        jsonLines(cli({"list", "--from", "2026-12-07T00:00", "--to", "2026-12-14T00:00", "--json"}).out);
    ASSERT_EQ(events.size(), 2);
    EXPECT_EQ(events[0].keys(), QStringList({"allDay", "calendar", "end", "isDetached", "occurrence", "start",
                                             "title", "uid"}));
    EXPECT_EQ(events[0]["uid"], lunch);
    EXPECT_EQ(events[0]["calendar"], "Home");
    EXPECT_EQ(events[0]["start"], "2026-12-08T12:30:00-05:00");
    EXPECT_EQ(events[0]["end"], "2026-12-08T13:30:00-05:00");
    EXPECT_EQ(events[0]["allDay"], false);
    EXPECT_TRUE(events[0]["occurrence"].isNull());
    EXPECT_EQ(events[1]["title"], "trip");
    EXPECT_EQ(events[1]["allDay"], true);
}

TEST_F(StoreCommandsTest, AddingToAReadOnlyCalendarFailsAndWritesNothing) {
    writeCalendar("home", {{"displayname", "Home"}, {"readonly", ""}});
    const QStringList before = QDir(root() + "/home").entryList(QDir::Files | QDir::Hidden);
    for (const QStringList& arguments :
         {QStringList{"add", "--now", "2026-12-07T08:00", "tomorrow lunch"},
          QStringList{"add", "--now", "2026-12-07T08:00", "--calendar", "Home", "tomorrow lunch"}}) {
        const CliRun run = cli(arguments);
        EXPECT_NE(run.exitCode, 0);
        EXPECT_TRUE(run.err.contains("editable calendar")) << run.err.toStdString();
        // Said once, not again through the log.
        EXPECT_EQ(run.err.count("verdalune-cli add"), 1) << run.err.toStdString();
        EXPECT_EQ(run.err.count(u'\n'), 1) << run.err.toStdString();
    }
    EXPECT_EQ(QDir(root() + "/home").entryList(QDir::Files | QDir::Hidden), before);
}

TEST_F(StoreCommandsTest, ImportAndAddTakeAnEditableCalendarAndImportPrintsEachEventOnce) {
    // Sorted first and read-only: the default is the first calendar that may be written.
    writeCalendar("birthdays", {{"displayname", "Birthdays"}, {"readonly", ""}});
    writeCalendar("home", {{"displayname", "Home"}});
    writeCalendar("work", {{"displayname", "Work"}});
    const QString invite =
        saved("BEGIN:VEVENT\r\nUID:imp\\,comma\\;semi\r\nDTSTART:20261209T150000Z\r\nSUMMARY:"
              "Review\\nnow\x1b[31m\r\nEND:VEVENT\r\nBEGIN:VEVENT\r\nUID:back\\\\slash\r\nDTSTART:"
              "20261210T150000Z\r\nSUMMARY:Retro\r\nEND:VEVENT\r\n");
    CliRun run = cli({"import", "--calendar", "WORK", "--", invite});
    EXPECT_EQ(run.exitCode, 0) << run.err.toStdString();
    EXPECT_EQ(run.out, "imp,comma;semi\tReview\\nnow\\u001b[31m\nback\\\\slash\tRetro\n");
    run = cli({"import", invite});
    EXPECT_EQ(run.exitCode, 1);
    EXPECT_TRUE(run.err.contains("\"imp,comma;semi\" is already in the calendars.")) << run.err.toStdString();
    run = cli(
        {"import", "-"}, {},
        invitation("BEGIN:VEVENT\r\nUID:one\r\nDTSTART:20261211T150000Z\r\nSUMMARY:One\r\nEND:VEVENT\r\n"));
    EXPECT_EQ(run.out, "one\tOne\n") << run.err.toStdString();

    // A calendar that may not be written, and an input that never ends.
    EXPECT_EQ(cli({"import", "--calendar", "Birthdays", invite}).exitCode, 2);
    run = cli({"import", "-"}, {[] { ::dup2(::open("/dev/zero", O_RDONLY), 0); }});
    EXPECT_EQ(run.exitCode, 1);
    EXPECT_TRUE(run.err.contains("- is larger than 64 MB")) << run.err.toStdString();
    EXPECT_EQ(icsIn("work").size(), 2);
    EXPECT_EQ(icsIn("home"), QStringList{"one.ics"});
    EXPECT_TRUE(icsIn("birthdays").isEmpty());

    // Without a calendar named, a new event goes where the window's New Event would put it: the calendar
    // last selected there when it is editable, else the first editable one.
    for (const auto& [remembered, expected] :
         {std::pair{"", "Home"}, {"birthdays", "Home"}, {"work", "Work"}}) {
        writeCalendar("../config/pellowick",
                      {{"verdalune.conf", "[General]\nselectedCalendarUid=" + QByteArray(remembered)}});
        const QString uid = add("tomorrow 12:30 to 13:30 lunch");
        const QString listed = cli({"list", "--from", "2026-12-08T00:00", "--to", "2026-12-09T00:00"}).out;
        EXPECT_EQ(listed, u"2026-12-08 12:30 – 2026-12-08 13:30  lunch  [%1]\n"_s.arg(expected))
            << remembered;
        ASSERT_EQ(cli({"remove", uid}).exitCode, 0);
    }
}

// A write that fails for root too, as on a full disk.
TEST_F(StoreCommandsTest, AFailedWriteIsReportedOnceWithExitOne) {
    writeCalendar("home", {{"displayname", "Home"}});
    const CliRun run = cli({"add", "--now", "2026-12-07T08:00", "tomorrow lunch"}, onAFullDisk());
    EXPECT_EQ(run.exitCode, 1);
    EXPECT_TRUE(run.err.startsWith("verdalune-cli add: ")) << run.err.toStdString();
    EXPECT_EQ(run.err.count(u'\n'), 1) << run.err.toStdString();
}

TEST_F(StoreCommandsTest, RemovingAnOccurrenceOrTheRestOfASeries) {
    writeCalendar("work", {{"displayname", "Work"}, {"standup.ics", STANDUP}});
    // This or later occurrences of a repeating event need the occurrence.
    for (const char* span : {"0", "1"}) {
        const CliRun run = cli({"remove", "standup", "--span", span});
        EXPECT_EQ(run.exitCode, 2) << span;
        EXPECT_TRUE(run.err.contains("need --occurrence")) << run.err.toStdString();
    }
    EXPECT_EQ(readFile(root() + "/work/standup.ics"), STANDUP);
    const QStringList week{"list", "--from", "2026-12-07T00:00", "--to", "2026-12-14T00:00"};
    auto days = [&] {
        QStringList result;
        for (const QString& line : cli(week).out.split(u'\n', Qt::SkipEmptyParts))
            result.append(line.left(10));
        return result;
    };
    ASSERT_EQ(days(), QStringList({"2026-12-07", "2026-12-08", "2026-12-09", "2026-12-10", "2026-12-11"}));

    CliRun run = cli({"remove", "standup", "--occurrence", "2026-12-08T09:00"});
    ASSERT_EQ(run.exitCode, 0) << run.err.toStdString();
    EXPECT_EQ(days(), QStringList({"2026-12-07", "2026-12-09", "2026-12-10", "2026-12-11"}));
    run = cli({"remove", "standup", "--occurrence", "2026-12-08T09:00"});
    EXPECT_EQ(run.exitCode, 1);
    EXPECT_TRUE(run.err.contains("has no occurrence at 2026-12-08T09:00")) << run.err.toStdString();

    ASSERT_EQ(cli({"remove", "standup", "--occurrence", "2026-12-10T09:00", "--span", "1"}).exitCode, 0);
    EXPECT_EQ(days(), QStringList({"2026-12-07", "2026-12-09"}));

    ASSERT_EQ(cli({"remove", "standup"}).exitCode, 0);
    EXPECT_EQ(days(), QStringList());
    EXPECT_FALSE(QFileInfo::exists(root() + "/work/standup.ics"));
}

TEST_F(StoreCommandsTest, RemovingTheLastEventOfAFileWithAToDoKeepsTheToDo) {
    QByteArray text = STANDUP;
    text.replace("END:VCALENDAR",
                 "BEGIN:VTODO\r\nUID:todo\r\nSUMMARY:buy milk\r\nEND:VTODO\r\nEND:VCALENDAR");
    writeCalendar("work", {{"displayname", "Work"}, {"standup.ics", text}});
    CliRun run = cli({"remove", "standup"});
    EXPECT_EQ(run.exitCode, 0) << run.err.toStdString();
    EXPECT_EQ(run.out, "removed standup\n");
    const QByteArray left = readFile(root() + "/work/standup.ics");
    EXPECT_TRUE(left.contains("SUMMARY:buy milk")) << left.constData();
    EXPECT_FALSE(left.contains("BEGIN:VEVENT")) << left.constData();
    run = cli({"remove", "standup"});
    EXPECT_EQ(run.exitCode, 1);
}

TEST_F(StoreCommandsTest, AnEditOnAFullDiskKeepsTheFileAndOneThatIsWrittenKeepsItsMode) {
    writeCalendar("work", {{"displayname", "Work"}, {"standup.ics", STANDUP}});
    const QString file = root() + "/work/standup.ics";
    const QStringList remove{"remove", "standup", "--occurrence", "2026-12-08T09:00"};
    CliRun run = cli(remove, onAFullDisk());
    EXPECT_EQ(run.exitCode, 1);
    EXPECT_FALSE(run.err.isEmpty());
    EXPECT_EQ(readFile(file), STANDUP);
    EXPECT_EQ(filesIn(root() + "/work"), QStringList({".verdalune.lock", "displayname", "standup.ics"}));

    ASSERT_TRUE(QFile::setPermissions(file, QFileDevice::ReadOwner | QFileDevice::WriteOwner));
    run = cli(remove);
    ASSERT_EQ(run.exitCode, 0) << run.err.toStdString();
    EXPECT_EQ(QFile::permissions(file), QFileDevice::ReadOwner | QFileDevice::WriteOwner |
                                            QFileDevice::ReadUser | QFileDevice::WriteUser);
}

TEST_F(StoreCommandsTest, AFileTheUserMayNotWriteIsNotReplaced) {
    writeCalendar("work", {{"displayname", "Work"}, {"standup.ics", STANDUP}});
    const QString file = root() + "/work/standup.ics";
    ASSERT_TRUE(QFile::setPermissions(file, QFileDevice::ReadOwner | QFileDevice::ReadGroup |
                                                QFileDevice::ReadOther));
    CliProcess how;
    if (::geteuid() == 0) {
        // Root may write any file; the refusal is for users, so a copy of the program runs as one.
        constexpr uid_t NOBODY = 65534;
        how.program = path("verdalune-cli");
        ASSERT_TRUE(QFile::copy(QStringLiteral(VERDALUNE_CLI), how.program));
        QDirIterator entries(folder.path(), QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot,
                             QDirIterator::Subdirectories);
        ASSERT_EQ(::chown(QFile::encodeName(folder.path()).constData(), NOBODY, NOBODY), 0);
        while (entries.hasNext())
            ASSERT_EQ(::chown(QFile::encodeName(entries.next()).constData(), NOBODY, NOBODY), 0);
        how.setUpChild = [] {
            if (::setgroups(0, nullptr) != 0 || ::setgid(NOBODY) != 0 || ::setuid(NOBODY) != 0)
                ::_exit(127);
        };
    }
    const CliRun run = cli({"remove", "standup", "--occurrence", "2026-12-08T09:00"}, how);
    EXPECT_EQ(run.exitCode, 1);
    EXPECT_TRUE(run.err.contains("\"standup.ics\" is read-only")) << run.err.toStdString();
    EXPECT_EQ(readFile(file), STANDUP);
}

TEST_F(StoreCommandsTest, AnEventWithoutUidIsNotReportedRemoved) {
    const QByteArray text = "BEGIN:VCALENDAR\r\nVERSION:2.0\r\nPRODID:-//test//EN\r\nBEGIN:VEVENT\r\n"
                            "DTSTART:20261208T140000Z\r\nSUMMARY:nameless\r\nEND:VEVENT\r\nEND:VCALENDAR\r\n";
    writeCalendar("work", {{"displayname", "Work"}, {"nameless.ics", text}});
    const CliRun run = cli({"remove", ""});
    EXPECT_EQ(run.exitCode, 1);
    EXPECT_TRUE(run.err.contains("has no identifier")) << run.err.toStdString();
    EXPECT_EQ(readFile(root() + "/work/nameless.ics"), text);
}

TEST_F(StoreCommandsTest, EventsFarFromNowAndLastOccurrencesCanBeRemoved) {
    QByteArray twice = STANDUP;
    twice.replace("COUNT=5", "COUNT=2");
    const QByteArray far =
        "BEGIN:VCALENDAR\r\nVERSION:2.0\r\nPRODID:-//test//EN\r\nBEGIN:VEVENT\r\nUID:far\r\n"
        "DTSTART:99991230T140000Z\r\nSUMMARY:far\r\nEND:VEVENT\r\nEND:VCALENDAR\r\n";
    writeCalendar("work", {{"displayname", "Work"}, {"standup.ics", twice}, {"far.ics", far}});
    CliRun run = cli({"remove", "far"});
    EXPECT_EQ(run.exitCode, 0) << run.err.toStdString();
    EXPECT_FALSE(QFileInfo::exists(root() + "/work/far.ics"));

    run = cli({"remove", "standup", "--occurrence", "2026-12-07T09:00"});
    ASSERT_EQ(run.exitCode, 0) << run.err.toStdString();
    EXPECT_TRUE(QFileInfo::exists(root() + "/work/standup.ics"));
    // The last one left: the series goes, rather than stay in the file with nothing to show.
    run = cli({"remove", "standup", "--occurrence", "2026-12-08T09:00"});
    ASSERT_EQ(run.exitCode, 0) << run.err.toStdString();
    EXPECT_FALSE(QFileInfo::exists(root() + "/work/standup.ics"));
}

TEST_F(StoreCommandsTest, DatesAtTheEndsOfTheIsoYearsAreListedRightOrRefused) {
    const auto event = [](const char* uid, const QByteArray& times) {
        return "BEGIN:VCALENDAR\r\nVERSION:2.0\r\nPRODID:-//test//EN\r\nBEGIN:VEVENT\r\nUID:" +
               QByteArray(uid) + "\r\n" + times + "SUMMARY:" + uid + "\r\nEND:VEVENT\r\nEND:VCALENDAR\r\n";
    };
    writeCalendar("work",
                  {{"displayname", "Work"},
                   {"early.ics", event("early", "DTSTART:00010101T120000Z\r\nDTEND:00010101T130000Z\r\n")},
                   {"late.ics", event("late", "DTSTART:99991231T230000Z\r\nDURATION:PT6H\r\n")},
                   {"last.ics", event("last", "DTSTART:99991231T200000Z\r\nDURATION:PT1H\r\n")}});
    // The window is read in the proleptic Gregorian calendar too, else it would miss the event by two days.
    CliRun run = cli({"list", "--from", "0001-01-01T00:00", "--to", "0001-01-02T00:00"});
    EXPECT_EQ(run.exitCode, 0) << run.err.toStdString();
    EXPECT_EQ(run.out.toStdString(), "0001-01-01 07:04 – 0001-01-01 08:04  early  [Work]\n");

    // "late" ends in the year 10000 here and in UTC: said, not printed as some other date.
    for (const QStringList& form : {QStringList{}, QStringList{"--json"}}) {
        run = cli(QStringList{"list", "--from", "9999-12-31T00:00", "--to", "9999-12-31T23:59"} + form);
        EXPECT_EQ(run.exitCode, 1);
        EXPECT_TRUE(run.err.contains("\"late\" (late) is not listed")) << run.err.toStdString();
        EXPECT_TRUE(run.out.contains("last") && !run.out.contains("late") && !run.out.contains("10000"))
            << run.out.toStdString();
    }
}

TEST_F(StoreCommandsTest, AnEventEndingBeforeItStartsIsListedAtItsStartAndRemoved) {
    writeCalendar(
        "work", {{"displayname", "Work"},
                 {"backwards.ics", "BEGIN:VCALENDAR\r\nVERSION:2.0\r\nPRODID:-//test//EN\r\nBEGIN:VEVENT\r\n"
                                   "UID:backwards\r\nDTSTART:20261208T150000Z\r\nDTEND:20261208T140000Z\r\n"
                                   "SUMMARY:backwards\r\nEND:VEVENT\r\nEND:VCALENDAR\r\n"}});
    CliRun run = cli({"list", "--from", "2026-12-08T00:00", "--to", "2026-12-09T00:00"});
    EXPECT_EQ(run.out.toStdString(), "2026-12-08 10:00 – 2026-12-08 10:00  backwards  [Work]\n");
    run = cli({"remove", "backwards"});
    EXPECT_EQ(run.exitCode, 0) << run.err.toStdString();
    EXPECT_FALSE(QFileInfo::exists(root() + "/work/backwards.ics"));
}

TEST_F(StoreCommandsTest, ASeriesHeldByTwoFilesIsListedOnceAndNotRemoved) {
    QByteArray copy = STANDUP;
    copy.replace("SUMMARY:standup", "SUMMARY:standup copy");
    writeCalendar("work", {{"displayname", "Work"}, {"a.ics", STANDUP}, {"b.ics", copy}});
    const QStringList week{"list", "--from", "2026-12-07T00:00", "--to", "2026-12-14T00:00"};
    CliRun run = cli(week);
    EXPECT_EQ(run.out.count(u'\n'), 5);
    EXPECT_FALSE(run.out.contains("copy")) << run.out.toStdString();
    run = cli({"remove", "standup"});
    EXPECT_EQ(run.exitCode, 1);
    EXPECT_TRUE(run.err.contains("work/a.ics, work/b.ics")) << run.err.toStdString();
    EXPECT_TRUE(QFileInfo::exists(root() + "/work/a.ics") && QFileInfo::exists(root() + "/work/b.ics"));
}

// Each store command says once what it skipped in a file and which copy of a repeated uid it hides, on
// standard error, and --quiet silences it; standard output is the same either way (but for new uids).
TEST_F(StoreCommandsTest, WhatWasSkippedInAFileIsSaidOnceUnlessQuiet) {
    QByteArray skipping = STANDUP;
    skipping.replace(
        "SUMMARY:",
        "RRULE:FREQ=WEEKLY;COUNT=2;UNTIL=20261214T000000Z\r\nRRULE:FREQ=WEEKLY;INTERVAL=0\r\nSUMMARY:");
    QByteArray hidden = STANDUP;
    hidden.replace("UID:standup", "UID:dup\x1b]0;x\x07");
    writeCalendar("work", {{"displayname", "Work"}, {"standup.ics", skipping}, {"dup.ics", hidden}});
    writeCalendar("zzz", {{"displayname", "Other"}, {"dup.ics", hidden}});
    const QString said[] = {
        root() + "/work/standup.ics: an RRULE with both COUNT and UNTIL: its COUNT ignored; an RRULE part "
                 "that is not valid ignored: INTERVAL=0\n",
        "zzz/dup.ics repeats the event dup\\u001b]0;x\\u0007 of work/dup.ics; the first one is used\n"};
    for (const QStringList& command :
         {QStringList{"calendars"}, QStringList{"list", "--from", "2026-12-07T00:00", "--json"},
          QStringList{"add", "--now", "2026-12-07T08:00", "work: lunch"}, QStringList{"remove", "unknown"},
          QStringList{"render", "--from", "2026-12-07T06:00", "--interval", "432000", path("out.png")}}) {
        SCOPED_TRACE(command.front().toStdString());
        // Without the index every file is read again, as after a change by another program.
        ASSERT_TRUE(QDir(folder.path() + "/cache").removeRecursively());
        const CliRun loud = cli(command);
        const CliRun quiet = cli(command + QStringList{"--quiet"});
        for (const QString& line : said)
            EXPECT_EQ(loud.err.count(line), 1) << loud.err.toStdString();
        EXPECT_FALSE(loud.err.contains(u'\x1b'));
        EXPECT_FALSE(quiet.err.contains(".ics")) << quiet.err.toStdString();
        EXPECT_EQ(loud.exitCode, quiet.exitCode);
        const QRegularExpression newUid(u"^[0-9a-f-]{36}\t"_s);
        EXPECT_EQ(QString(loud.out).remove(newUid), QString(quiet.out).remove(newUid));
    }
}

// Several rules give the union of their occurrences, a period RDATE an occurrence of its own length, and
// UNTIL wins over a COUNT beside it.
TEST_F(StoreCommandsTest, ListShowsEveryRuleAndPeriods) {
    QByteArray file = STANDUP;
    file.replace(
        "SUMMARY:",
        "RRULE:FREQ=WEEKLY;COUNT=9;UNTIL=20261214T140000Z\r\nRDATE;VALUE=PERIOD:20261209T160000Z/PT2H\r\n"
        "SUMMARY:");
    writeCalendar("work", {{"displayname", "Work"}, {"mix.ics", file}});
    const CliRun run = cli({"list", "--from", "2026-12-09T00:00", "--to", "2026-12-15T00:00"});
    EXPECT_EQ(run.err, root() + "/work/mix.ics: an RRULE with both COUNT and UNTIL: its COUNT ignored\n");
    EXPECT_EQ(run.out.toStdString(), "2026-12-09 09:00 – 2026-12-09 09:15  standup  [Work]\n"
                                     "2026-12-09 11:00 – 2026-12-09 13:00  standup  [Work]\n"
                                     "2026-12-10 09:00 – 2026-12-10 09:15  standup  [Work]\n"
                                     "2026-12-11 09:00 – 2026-12-11 09:15  standup  [Work]\n"
                                     "2026-12-14 09:00 – 2026-12-14 09:15  standup  [Work]\n");
}

TEST_F(StoreCommandsTest, TheFirstCalendarIsMadeWholeOrCompleted) {
    // A first start on a full disk leaves no calendar that later starts would take as made.
    CliRun run = cli({"calendars"}, onAFullDisk());
    EXPECT_EQ(run.exitCode, 1);
    EXPECT_TRUE(run.err.contains("cannot be created")) << run.err.toStdString();
    EXPECT_TRUE(QDir(root()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot).isEmpty());

    run = cli({"calendars"});
    EXPECT_EQ(run.exitCode, 0) << run.err.toStdString();
    EXPECT_TRUE(run.out.contains("Home")) << run.out.toStdString();
    EXPECT_EQ(QDir(root()).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot),
              QStringList{"home"});

    // As a start cut short by a full disk left it: the folder without its name.
    ASSERT_TRUE(QFile::remove(root() + "/home/displayname"));
    run = cli({"calendars"});
    EXPECT_EQ(run.exitCode, 0) << run.err.toStdString();
    EXPECT_TRUE(run.out.contains("Home")) << run.out.toStdString();
    EXPECT_TRUE(QFileInfo::exists(root() + "/home/displayname"));
}

TEST_F(StoreCommandsTest, DevicesAndHugeFilesAreNotRead) {
    writeCalendar("work", {{"displayname", "Work"}, {"standup.ics", STANDUP}});
    ASSERT_TRUE(QFile::link("/dev/zero", root() + "/work/zero.ics"));
    QFile huge(root() + "/work/huge.ics");
    ASSERT_TRUE(huge.open(QIODevice::WriteOnly));
    ASSERT_TRUE(huge.resize(65 << 20)); // sparse: no disk space taken
    huge.close();
    const CliRun run = cli({"list", "--from", "2026-12-07T00:00", "--to", "2026-12-14T00:00"});
    EXPECT_EQ(run.exitCode, 0) << run.err.toStdString();
    EXPECT_EQ(run.out.count(u'\n'), 5);
}

// A line break forges an output line, ESC and C1 sequences drive the terminal (its title, its clipboard), a
// direction override shows text backwards: plain lines show them as escapes, JSON keeps the exact text.
TEST_F(StoreCommandsTest, CalendarTextNeitherForgesLinesNorReachesTheTerminal) {
    const QString title = QString::fromUtf8("lunch\n2026-12-09 09:00  forged\x1b]52;c;cm0=\x07 \xc2\x9b"
                                            "2J \xe2\x80\xae"
                                            "dne\x7f caf\xc3\xa9 \xf0\x9f\x8d\x95");
    const QString calendar = QString::fromUtf8("Work\r\n\x1b[31m\tand\\ a bell\a");
    QByteArray file = STANDUP;
    file.replace("SUMMARY:standup",
                 "SUMMARY:" + title.toUtf8().replace("\n", "\\n") + "\r\nLOCATION:x\\n\x1b[2J");
    writeCalendar("work", {{"displayname", calendar.toUtf8()}, {"standup.ics", file}});
    const QStringList day{"list", "--from", "2026-12-07T00:00", "--to", "2026-12-08T00:00"};
    const CliRun text = cli(day), json = cli(day + QStringList{"--json"});
    for (const CliRun& run : {text, json}) {
        EXPECT_EQ(run.out.count(u'\n'), 1) << run.out.toStdString();
        EXPECT_FALSE(run.out.contains(QRegularExpression(u"[\\x{1b}\\x{7}\\r\\x{7f}\\x{9b}\\x{202e}]"_s)))
            << run.out.toStdString();
    }
    EXPECT_TRUE(text.out.endsWith(uR"(lunch\n2026-12-09 09:00  forged\u001b]52;c;cm0=\u0007 \u009b2J )"
                                  uR"(\u202edne\u007f café 🍕  [Work\r\n\u001b[31m\tand\\ a bell\u0007])"
                                  "\n"))
        << text.out.toStdString();
    const QList<QJsonObject> events = jsonLines(json.out);
    ASSERT_EQ(events.size(), 1);
    EXPECT_EQ(events[0]["title"].toString(), title);
    EXPECT_EQ(events[0]["calendar"].toString(), calendar);
    // A tab in a name does not make a column of the calendar list.
    const QString listed = cli({"calendars"}).out;
    EXPECT_TRUE(listed.startsWith(uR"(Work\r\n\u001b[31m\tand\\ a bell\u0007)"_s + u"\twork\t"_s))
        << listed.toStdString();
    EXPECT_EQ(listed.count(u'\t'), 4);
    EXPECT_EQ(listed.count(u'\n'), 1);
    // Messages quote what they were given on one line too.
    EXPECT_EQ(cli({"remove", "gone\n\x1b]0;owned\a"}).err.toStdString(),
              R"(verdalune-cli remove: there is no event gone\n\u001b]0;owned\u0007)"
              "\n");
}

// After "--" an argument is what it is, also one that reads as an option.
TEST_F(StoreCommandsTest, ArgumentsAfterTheEndOfOptionsMayBeginWithADash) {
    QByteArray file = STANDUP;
    writeCalendar("work",
                  {{"displayname", "Work"}, {"standup.ics", file.replace("UID:standup", "UID:--span")}});
    EXPECT_EQ(cli({"remove", "--span"}).exitCode, 2);
    const CliRun removed = cli({"remove", "--", "--span"});
    EXPECT_EQ(removed.out.toStdString(), "removed --span\n") << removed.err.toStdString();
}

} // namespace
