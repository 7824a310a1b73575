#pragma once

// A CalDAV server (Radicale) on the loopback with one calendar, "shared", of the user "user" with the
// password "secret", and vdirsyncer between it and a calendar folder: the tools Linux users sync with, for
// tests of the whole data loop.
#include "EventLoopWait.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>

#include <arpa/inet.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

#include <stdexcept>

using namespace Qt::StringLiterals;

class CalDavPeer {
public:
    // Starts the server; `root` is the calendar folder vdirsyncer keeps in step with it. Throws when a
    // program is missing or the server does not start.
    explicit CalDavPeer(const QString& root) : m_root(root) {
        for (const char* program : {"radicale", "vdirsyncer", "curl"})
            if (QStandardPaths::findExecutable(QString::fromLatin1(program)).isEmpty())
                throw std::runtime_error(std::string(program) + " is installed by scripts/bootstrap");
        // The server's calendar, made the way the server keeps its collections.
        const QString collection = m_work.filePath(u"server/collection-root/user/shared"_s);
        QDir().mkpath(collection);
        writeFile(collection + u"/.Radicale.props"_s,
                  R"({"tag": "VCALENDAR", "D:displayname": "Shared", "ICAL:calendar-color": "#3a7bd5"})");
        writeFile(m_work.filePath(u"users"_s), "user:secret\n");
        m_port = freePort();
        m_server.start(u"radicale"_s,
                       {u"--server-hosts"_s, u"127.0.0.1:%1"_s.arg(m_port), u"--storage-filesystem-folder"_s,
                        m_work.filePath(u"server"_s), u"--auth-type"_s, u"htpasswd"_s,
                        u"--auth-htpasswd-filename"_s, m_work.filePath(u"users"_s),
                        u"--auth-htpasswd-encryption"_s, u"plain"_s, u"--logging-level"_s, u"warning"_s});
        if (m_port < 0 || !waitFor([&] { return listening(m_port); }))
            throw std::runtime_error("the server did not start");
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
)"_s.arg(m_work.path(), m_root, serverUrl())
                                                             .toUtf8());
    }
    ~CalDavPeer() {
        m_server.terminate();
        m_server.waitForFinished();
    }
    CalDavPeer(const CalDavPeer&) = delete;
    CalDavPeer& operator=(const CalDavPeer&) = delete;

    // Makes the calendar's folder (the first discovery asks whether to) and brings its name and colour.
    bool discover() {
        return vdirsyncer(u"discover"_s, "y\n") == 0 && vdirsyncer(u"sync"_s) == 0 &&
               vdirsyncer(u"metasync"_s) == 0;
    }
    QString serverUrl() const { return u"http://127.0.0.1:%1/user"_s.arg(m_port); }
    // The exit code; what it said is added to log().
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
    int curl(const QStringList& arguments, QByteArray* output = nullptr) const {
        QProcess process;
        process.start(u"curl"_s, QStringList{u"-s"_s, u"-f"_s, u"-u"_s, u"user:secret"_s} + arguments);
        if (!process.waitForFinished(30000))
            return -1;
        if (output)
            *output = process.readAllStandardOutput();
        return process.exitCode();
    }
    // Another device's change: `text` put on the server as the item `name` of the calendar.
    bool put(const QString& name, const QByteArray& text) const {
        const QString upload = m_work.filePath(u"put.ics"_s);
        writeFile(upload, text);
        return curl({u"-T"_s, upload, u"-H"_s, u"Content-Type: text/calendar"_s,
                     serverUrl() + u"/shared/"_s + name}) == 0;
    }
    // The item as the server holds it; empty when it has none of that name.
    QByteArray served(const QString& name) const {
        QByteArray text;
        return curl({serverUrl() + u"/shared/"_s + name}, &text) == 0 ? text : QByteArray();
    }
    const QString& log() const { return m_log; }

    static void writeFile(const QString& path, const QByteArray& text) {
        QFile file(path);
        if (!file.open(QIODevice::WriteOnly) || file.write(text) != text.size())
            throw std::runtime_error("cannot write " + path.toStdString());
    }

private:
    // A port the kernel reports free, and whether something listens on it.
    static int freePort() {
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
    static bool listening(int port) {
        const int socket = ::socket(AF_INET, SOCK_STREAM, 0);
        sockaddr_in address{};
        address.sin_family = AF_INET;
        address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
        address.sin_port = htons(port);
        const bool connected = ::connect(socket, reinterpret_cast<sockaddr*>(&address), sizeof address) == 0;
        ::close(socket);
        return connected;
    }

    QString m_root;
    QTemporaryDir m_work;
    QProcess m_server;
    int m_port = -1;
    QString m_log;
};
