// verdalune-cli import on a temporary calendar folder: the real program, fed by a file or a pipe.
#include "CliRunner.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <fcntl.h>
#include <unistd.h>

using namespace Qt::StringLiterals;

namespace {

const QByteArray INVITATION = "BEGIN:VCALENDAR\r\nVERSION:2.0\r\nPRODID:-//Mail//EN\r\nMETHOD:REQUEST\r\n"
                              "BEGIN:VEVENT\r\nUID:imp\\,comma\\;semi\r\nDTSTAMP:20261201T000000Z\r\n"
                              "DTSTART:20261209T150000Z\r\nDURATION:PT1H\r\nSUMMARY:Review\\nnow\x1b[31m\r\n"
                              "END:VEVENT\r\n"
                              "BEGIN:VEVENT\r\nUID:back\\\\slash\r\nDTSTAMP:20261201T000000Z\r\n"
                              "DTSTART:20261210T150000Z\r\nDURATION:PT1H\r\nSUMMARY:Retro\r\nEND:VEVENT\r\n"
                              "END:VCALENDAR\r\n";

const QByteArray ONE = "BEGIN:VCALENDAR\r\nVERSION:2.0\r\nPRODID:-//Mail//EN\r\nBEGIN:VEVENT\r\nUID:one\r\n"
                       "DTSTAMP:20261201T000000Z\r\nDTSTART:20261211T150000Z\r\nSUMMARY:One\r\n"
                       "END:VEVENT\r\nEND:VCALENDAR\r\n";

class ImportCommandTest : public ::testing::Test {
protected:
    ImportCommandTest() {
        // Sorted first, and not to be written: the default is the first calendar that may be.
        calendar(u"birthdays"_s, {{u"displayname"_s, "Birthdays"}, {u"readonly"_s, ""}});
        calendar(u"home"_s, {{u"displayname"_s, "Home"}});
        calendar(u"work"_s, {{u"displayname"_s, "Work"}});
        file(folder.filePath(u"invite.ics"_s), INVITATION);
    }
    CliRun import(const QStringList& arguments, const QByteArray& input = {}, const CliProcess& how = {}) {
        QProcessEnvironment environment;
        environment.insert("VERDALUNE_CALENDAR_DIR", root());
        environment.insert("XDG_CACHE_HOME", folder.filePath(u"cache"_s));
        environment.insert("XDG_CONFIG_HOME", folder.filePath(u"config"_s));
        return runCli(QStringList{u"import"_s} + arguments, input, environment, "en_US.UTF-8", how);
    }
    QString root() const { return folder.filePath(u"calendars"_s); }
    static void file(const QString& path, const QByteArray& bytes) {
        QFile out(path);
        if (!out.open(QIODevice::WriteOnly) || out.write(bytes) != bytes.size())
            throw std::runtime_error("cannot write " + path.toStdString());
    }
    void calendar(const QString& name, const QList<std::pair<QString, QByteArray>>& files) const {
        if (!QDir().mkpath(root() + u'/' + name))
            throw std::runtime_error("cannot make the calendar");
        for (const auto& [fileName, bytes] : files)
            file(root() + u'/' + name + u'/' + fileName, bytes);
    }
    QStringList events(const QString& name) const {
        return QDir(root() + u'/' + name).entryList({u"*.ics"_s}, QDir::Files, QDir::Name);
    }
    QByteArray eventText(const QString& name) const {
        QByteArray all;
        for (const QString& fileName : events(name)) {
            QFile in(root() + u'/' + name + u'/' + fileName);
            all += in.open(QIODevice::ReadOnly) ? in.readAll() : QByteArray();
        }
        return all;
    }

    QTemporaryDir folder;
};

TEST_F(ImportCommandTest, EachImportedEventIsOneLineAndSeriesAlreadyThereAreSaid) {
    CliRun run = import({u"--calendar"_s, u"WORK"_s, u"--"_s, folder.filePath(u"invite.ics"_s)});
    EXPECT_EQ(run.exitCode, 0) << run.err.toStdString();
    EXPECT_EQ(run.out, u"imp,comma;semi\tReview\\nnow\\u001b[31m\nback\\\\slash\tRetro\n"_s);
    EXPECT_EQ(events(u"work"_s).size(), 2);
    EXPECT_FALSE(eventText(u"work"_s).contains("METHOD"));

    // From a pipe, into the first editable calendar.
    run = import({u"-"_s}, ONE);
    EXPECT_EQ(run.exitCode, 0) << run.err.toStdString();
    EXPECT_EQ(run.out, u"one\tOne\n"_s);
    EXPECT_EQ(events(u"home"_s), QStringList{u"one.ics"_s});

    // Again: nothing twice, and the reason.
    run = import({folder.filePath(u"invite.ics"_s)});
    EXPECT_EQ(run.exitCode, 1);
    EXPECT_TRUE(run.out.isEmpty());
    EXPECT_TRUE(run.err.contains(u"\"imp,comma;semi\" is already in the calendars."_s))
        << run.err.toStdString();
    EXPECT_EQ(events(u"home"_s).size(), 1);
    EXPECT_EQ(events(u"work"_s).size(), 2);
}

struct Refusal {
    QStringList arguments;
    QByteArray input;
    bool zeroInput; // standard input that never ends
    int exitCode;
    QString said;
};

class ImportRefusalTest : public ImportCommandTest, public ::testing::WithParamInterface<Refusal> {};

TEST_P(ImportRefusalTest, WritesNothing) {
    const Refusal& refusal = GetParam();
    QStringList arguments = refusal.arguments;
    arguments.replaceInStrings(u"FOLDER"_s, folder.path());
    CliProcess how;
    if (refusal.zeroInput)
        how.setUpChild = [] {
            const int zero = ::open("/dev/zero", O_RDONLY);
            ::dup2(zero, 0);
        };
    const CliRun run = import(arguments, refusal.input, how);
    EXPECT_EQ(run.exitCode, refusal.exitCode) << run.err.toStdString();
    EXPECT_TRUE(run.err.contains(refusal.said)) << run.err.toStdString();
    EXPECT_TRUE(run.out.isEmpty());
    for (const QString& name : {u"birthdays"_s, u"home"_s, u"work"_s})
        EXPECT_TRUE(events(name).isEmpty()) << name.toStdString();
}

INSTANTIATE_TEST_SUITE_P(
    BadArgumentsAndInput, ImportRefusalTest,
    ::testing::Values(
        Refusal{{}, {}, false, 2, u"give one file"_s},
        Refusal{{u"FOLDER/invite.ics"_s, u"FOLDER/invite.ics"_s}, {}, false, 2, u"give one file"_s},
        Refusal{{u"--as"_s, u"x"_s, u"FOLDER/invite.ics"_s}, {}, false, 2, u"unknown option --as"_s},
        Refusal{{u"--calendar"_s, u"Nowhere"_s, u"FOLDER/invite.ics"_s},
                {},
                false,
                2,
                u"no editable calendar \"Nowhere\""_s},
        Refusal{{u"--calendar"_s, u"Birthdays"_s, u"FOLDER/invite.ics"_s},
                {},
                false,
                2,
                u"no editable calendar \"Birthdays\""_s},
        Refusal{{u"FOLDER/missing.ics"_s}, {}, false, 1, u"cannot be read"_s},
        Refusal{{u"FOLDER"_s}, {}, false, 1, u"cannot be read"_s},
        Refusal{{u"/dev/zero"_s}, {}, false, 1, u"/dev/zero is larger than 64 MB"_s},
        Refusal{{u"-"_s}, {}, true, 1, u"- is larger than 64 MB"_s},
        Refusal{{u"-"_s}, "From: someone\r\nSubject: no calendar\r\n", false, 1, u"holds no events"_s}));

} // namespace
