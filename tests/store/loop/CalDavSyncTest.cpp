// A synchronised calendar with the tools Linux users sync with: a CalDAV server (Radicale) on the loopback
// and vdirsyncer between it and the calendar folder, the whole data loop running over that folder.
#include "EventLoopWait.h"
#include "LoopTestSupport.h"

#include <gtest/gtest.h>

#include <QDeadlineTimer>
#include <QMap>
#include <QProcess>
#include <QStandardPaths>

#include <arpa/inet.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

namespace {

// A port the kernel reports free, and whether something listens on it.
int freePort() {
    const int socket = ::socket(AF_INET, SOCK_STREAM, 0);
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    socklen_t length = sizeof address;
    const bool bound = ::bind(socket, reinterpret_cast<sockaddr*>(&address), length) == 0 &&
                       ::getsockname(socket, reinterpret_cast<sockaddr*>(&address), &length) == 0;
    ::close(socket);
    return bound ? ntohs(address.sin_port) : -1;
}

bool listening(int port) {
    const int socket = ::socket(AF_INET, SOCK_STREAM, 0);
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    address.sin_port = htons(port);
    const bool connected = ::connect(socket, reinterpret_cast<sockaddr*>(&address), sizeof address) == 0;
    ::close(socket);
    return connected;
}

class CalDavSyncTest : public ::testing::Test {
protected:
    void SetUp() override {
        for (const char* program : {"radicale", "vdirsyncer", "curl"})
            ASSERT_FALSE(QStandardPaths::findExecutable(QString::fromLatin1(program)).isEmpty())
                << program << " is installed by scripts/bootstrap";
        // The server's calendar, made the way the server keeps its collections.
        const QString collection = m_work.filePath(u"server/collection-root/user/shared"_s);
        ASSERT_TRUE(QDir().mkpath(collection));
        writeFile(collection + u"/.Radicale.props"_s,
                  R"({"tag": "VCALENDAR", "D:displayname": "Shared", "ICAL:calendar-color": "#3a7bd5"})");
        m_port = freePort();
        ASSERT_GT(m_port, 0);
        m_server.start(u"radicale"_s, {u"--server-hosts"_s, u"127.0.0.1:%1"_s.arg(m_port),
                                       u"--storage-filesystem-folder"_s, m_work.filePath(u"server"_s),
                                       u"--auth-type"_s, u"none"_s, u"--logging-level"_s, u"warning"_s});
        ASSERT_TRUE(waitFor([&] { return listening(m_port); })) << "the server did not start";
        writeFile(m_work.filePath(u"vdirsyncer.conf"_s), uR"([general]
status_path = "%1/status/"
[pair verdalune]
a = "local"
b = "server"
collections = ["from b"]
metadata = ["displayname", "color"]
[storage local]
type = "filesystem"
path = "%2/"
fileext = ".ics"
[storage server]
type = "caldav"
url = "%3/"
username = "user"
password = "secret"
)"_s.arg(m_work.path(), loop.root.path(), serverUrl())
                                                             .toUtf8());
        // The first discovery asks whether to make the calendar's folder here.
        ASSERT_EQ(vdirsyncer(u"discover"_s, "y\n"), 0);
        ASSERT_EQ(vdirsyncer(u"sync"_s), 0);
        ASSERT_EQ(vdirsyncer(u"metasync"_s), 0);
        loop.writeMarker(u"shared"_s, u"type"_s, "caldav\n");
        loop.load();
    }
    void TearDown() override {
        m_server.terminate();
        m_server.waitForFinished();
    }

    QString serverUrl() const { return u"http://127.0.0.1:%1/user"_s.arg(m_port); }
    int vdirsyncer(const QString& command, const QByteArray& input = {}) {
        QProcess process;
        process.start(u"vdirsyncer"_s, {u"-c"_s, m_work.filePath(u"vdirsyncer.conf"_s), command});
        process.write(input);
        process.closeWriteChannel();
        if (!process.waitForFinished(60000))
            return -1;
        m_log += QString::fromUtf8(process.readAllStandardError());
        return process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1;
    }
    int curl(const QStringList& arguments, QByteArray* output = nullptr) {
        QProcess process;
        process.start(u"curl"_s, QStringList{u"-s"_s, u"-f"_s, u"-u"_s, u"user:secret"_s} + arguments);
        if (!process.waitForFinished(30000))
            return -1;
        if (output)
            *output = process.readAllStandardOutput();
        return process.exitCode();
    }
    static void writeFile(const QString& path, const QByteArray& text) {
        QFile file(path);
        if (!file.open(QIODevice::WriteOnly) || file.write(text) != text.size())
            throw std::runtime_error("cannot write " + path.toStdString());
    }
    // Every file of the calendar folder with its bytes.
    QMap<QString, QByteArray> folderContents() const {
        QMap<QString, QByteArray> contents;
        const QDir folder(QDir(loop.root.path()).filePath(u"shared"_s));
        for (const QString& name : folder.entryList(QDir::Files | QDir::Hidden)) {
            QFile file(folder.filePath(name));
            if (file.open(QIODevice::ReadOnly))
                contents.insert(name, file.readAll());
        }
        return contents;
    }

    QTemporaryDir m_work;
    Loop loop;
    QProcess m_server;
    int m_port = -1;
    QString m_log;
};

TEST_F(CalDavSyncTest, AnEventMadeHereReachesTheServerAndOneFromTheServerReachesTheModel) {
    // The folder vdirsyncer made appears while the store is watching.
    ASSERT_TRUE(waitFor([&] { return loop.model.calendarWithUid(u"shared"_s) != nullptr; }));
    const auto shared = loop.model.calendarWithUid(u"shared"_s);
    EXPECT_EQ(shared->title, u"Shared"_s);
    EXPECT_EQ(shared->type, CalCalendarTypeCalDAV);

    auto event = loop.controller.createNewEvent();
    event->title = u"Made in Verdalune"_s;
    event->calendar = shared;
    event->startDate = QDateTime(QDate::currentDate().addDays(1), QTime(9, 0), Qt::UTC);
    event->endDate = event->startDate.addSecs(3600);
    loop.controller.addEvent(*event);
    ASSERT_EQ(vdirsyncer(u"sync"_s), 0) << m_log.toStdString();
    QByteArray served;
    ASSERT_EQ(curl({serverUrl() + u"/shared/"_s}, &served), 0);
    EXPECT_TRUE(served.contains("SUMMARY:Made in Verdalune")) << served.constData();
    EXPECT_TRUE(served.contains("UID:" + event->uid.toUtf8()));

    // Another device puts an event on the server; the next sync brings it into the running model and
    // leaves every other file as it was.
    const QMap<QString, QByteArray> before = folderContents();
    const QString start = QDate::currentDate().addDays(2).toString(u"yyyyMMdd"_s);
    writeFile(m_work.filePath(u"put.ics"_s),
              u"BEGIN:VCALENDAR\r\nVERSION:2.0\r\nPRODID:-//Another device//EN\r\nBEGIN:VEVENT\r\n"
              "UID:put-on-the-server\r\nDTSTAMP:20261208T000000Z\r\nDTSTART:%1T150000Z\r\n"
              "DTEND:%1T160000Z\r\nSUMMARY:Put on the server\r\nEND:VEVENT\r\nEND:VCALENDAR\r\n"_s.arg(start)
                  .toUtf8());
    ASSERT_EQ(curl({u"-T"_s, m_work.filePath(u"put.ics"_s), u"-H"_s, u"Content-Type: text/calendar"_s,
                    serverUrl() + u"/shared/put-on-the-server.ics"_s}),
              0);
    ASSERT_EQ(vdirsyncer(u"sync"_s), 0) << m_log.toStdString();
    ASSERT_TRUE(waitFor([&] { return !loop.modelled(u"put-on-the-server"_s).isEmpty(); }));
    const auto arrived = loop.modelled(u"put-on-the-server"_s).front();
    EXPECT_EQ(arrived->title, u"Put on the server"_s);
    EXPECT_EQ(arrived->calendar->uid, u"shared"_s);
    EXPECT_EQ(arrived->startDate, QDateTime(QDate::currentDate().addDays(2), QTime(15, 0), Qt::UTC));

    QMap<QString, QByteArray> after = folderContents();
    ASSERT_EQ(after.size(), before.size() + 1);
    after.remove(u"put-on-the-server.ics"_s);
    EXPECT_EQ(after, before) << "the files already there are untouched";
    EXPECT_EQ(loop.modelled(event->uid).size(), 1);
}

} // namespace
