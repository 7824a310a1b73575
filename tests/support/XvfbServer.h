#pragma once

#include <QByteArray>
#include <QProcess>
#include <QProcessEnvironment>
#include <QStringList>

#include <stdexcept>

// An X server of the test's own (the suite runs without a display), on the next free display number, and
// key presses sent to it as a user's keyboard would.
class XvfbServer {
public:
    XvfbServer() {
        // With -displayfd the server picks a free display and writes its number once it accepts clients.
        m_server.start(QStringLiteral("Xvfb"),
                       {QStringLiteral("-displayfd"), QStringLiteral("1"), QStringLiteral("-screen"),
                        QStringLiteral("0"), QStringLiteral("1280x800x24"), QStringLiteral("-nolisten"),
                        QStringLiteral("tcp")});
        QByteArray number;
        while (!number.endsWith('\n') && m_server.waitForReadyRead(30000))
            number += m_server.readAllStandardOutput();
        if (!number.endsWith('\n'))
            throw std::runtime_error("Xvfb did not start");
        m_display = ':' + number.trimmed();
    }
    ~XvfbServer() {
        m_server.terminate();
        m_server.waitForFinished();
    }
    XvfbServer(const XvfbServer&) = delete;
    XvfbServer& operator=(const XvfbServer&) = delete;

    const QByteArray& display() const { return m_display; }

    // Runs xdotool on this display, e.g. {"key", "super+ctrl+n"}; false when it failed.
    bool xdotool(const QStringList& arguments) const {
        QProcess xdotool;
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.insert(QStringLiteral("DISPLAY"), QString::fromLatin1(m_display));
        xdotool.setProcessEnvironment(environment);
        xdotool.start(QStringLiteral("xdotool"), arguments);
        return xdotool.waitForFinished() && xdotool.exitStatus() == QProcess::NormalExit &&
               xdotool.exitCode() == 0;
    }

private:
    QProcess m_server;
    QByteArray m_display;
};
