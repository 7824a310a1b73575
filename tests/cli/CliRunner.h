#pragma once

#include <QByteArray>
#include <QProcess>
#include <QProcessEnvironment>
#include <QString>
#include <QStringList>

#include <gtest/gtest.h>

#include <functional>

// One run of the real verdalune-cli: its exit status and what it printed.
struct CliRun {
    int exitCode = -1;
    QString out;
    QString err;
};

// What a run changes in its process: set up in the child before the program starts (limits, another
// user), and the program file, for a copy another user may run.
struct CliProcess {
    std::function<void()> setUpChild;
    QString program = QStringLiteral(VERDALUNE_CLI);
};

inline CliRun runCli(const QStringList& arguments, const QByteArray& input = {},
                     const QProcessEnvironment& extra = {}, const QString& locale = "en_US.UTF-8",
                     const CliProcess& how = {}) {
    QProcess process;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert("LC_ALL", locale);
    environment.insert("TZ", "America/New_York");
    environment.insert(extra);
    process.setProcessEnvironment(environment);
    if (how.setUpChild)
        process.setChildProcessModifier(how.setUpChild);
    process.start(how.program, arguments);
    process.write(input);
    process.closeWriteChannel();
    EXPECT_TRUE(process.waitForFinished(60000));
    return {process.exitCode(), QString::fromUtf8(process.readAllStandardOutput()),
            QString::fromUtf8(process.readAllStandardError())};
}
