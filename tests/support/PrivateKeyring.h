#pragma once

// A Secret Service of the test's own: a session bus started for it and the desktop's keyring daemon on
// that bus, unlocked, keeping its keyrings in a temporary folder. The bus address is put in this process's
// environment (before anything connects to a bus), so that the program and the programs it starts find it.
#include "EventLoopWait.h"

#include <QFile>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>

#include <stdexcept>

class PrivateKeyring {
public:
    PrivateKeyring() {
        for (const char* program : {"dbus-daemon", "gnome-keyring-daemon", "secret-tool"})
            if (QStandardPaths::findExecutable(QString::fromLatin1(program)).isEmpty())
                throw std::runtime_error(std::string(program) + " is installed by scripts/bootstrap");
        // No service files: nothing on this bus is started on demand, outside the test's folders.
        const QString config = m_home.filePath(QStringLiteral("bus.conf"));
        QFile file(config);
        if (!file.open(QIODevice::WriteOnly))
            throw std::runtime_error("cannot write the bus configuration");
        file.write(
            QStringLiteral("<busconfig><type>session</type><listen>unix:dir=%1</listen><auth>EXTERNAL</auth>"
                           "<policy context=\"default\"><allow send_destination=\"*\" eavesdrop=\"true\"/>"
                           "<allow eavesdrop=\"true\"/><allow own=\"*\"/></policy></busconfig>")
                .arg(m_home.path())
                .toUtf8());
        file.close();
        m_bus.start(QStringLiteral("dbus-daemon"),
                    {QStringLiteral("--config-file=") + config, QStringLiteral("--nofork"),
                     QStringLiteral("--print-address=1")});
        if (!m_bus.waitForReadyRead(10000))
            throw std::runtime_error("the session bus did not start");
        qputenv("DBUS_SESSION_BUS_ADDRESS", m_bus.readLine().trimmed());
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.insert(QStringLiteral("HOME"), m_home.path());
        environment.insert(QStringLiteral("XDG_DATA_HOME"), m_home.filePath(QStringLiteral("data")));
        environment.insert(QStringLiteral("XDG_RUNTIME_DIR"), m_home.path());
        m_keyring.setProcessEnvironment(environment);
        m_keyring.start(QStringLiteral("gnome-keyring-daemon"),
                        {QStringLiteral("--foreground"), QStringLiteral("--unlock"),
                         QStringLiteral("--components=secrets")});
        m_keyring.write("keyring password");
        m_keyring.closeWriteChannel();
        // Ready once it keeps a secret.
        if (!waitFor(
                [] {
                    return store(QStringLiteral("ready"), "yes") &&
                           lookup(QStringLiteral("ready")).first == "yes";
                },
                15000))
            throw std::runtime_error("the keyring did not start");
    }
    ~PrivateKeyring() {
        for (QProcess* process : {&m_keyring, &m_bus}) {
            process->terminate();
            process->waitForFinished();
        }
    }
    PrivateKeyring(const PrivateKeyring&) = delete;
    PrivateKeyring& operator=(const PrivateKeyring&) = delete;

    // The secret stored under the attribute "verdalune-account" = `accountId`, and secret-tool's exit code.
    static std::pair<QByteArray, int> lookup(const QString& accountId) {
        QProcess tool;
        tool.start(QStringLiteral("secret-tool"),
                   {QStringLiteral("lookup"), QStringLiteral("verdalune-account"), accountId});
        if (!tool.waitForFinished(10000))
            return {{}, -1};
        return {tool.readAllStandardOutput(),
                tool.exitStatus() == QProcess::NormalExit ? tool.exitCode() : -1};
    }

    static bool store(const QString& accountId, const QByteArray& secret) {
        QProcess tool;
        tool.start(QStringLiteral("secret-tool"), {QStringLiteral("store"), QStringLiteral("--label=test"),
                                                   QStringLiteral("verdalune-account"), accountId});
        tool.write(secret);
        tool.closeWriteChannel();
        return tool.waitForFinished(10000) && tool.exitStatus() == QProcess::NormalExit &&
               tool.exitCode() == 0;
    }

private:
    QTemporaryDir m_home;
    QProcess m_bus;
    QProcess m_keyring;
};
