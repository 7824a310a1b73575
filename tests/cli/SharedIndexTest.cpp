// Several processes opening one store at once, each free to write the index of parsed files: whatever
// they leave behind, every later run lists exactly what the files hold.
#include "CliRunner.h"
#include "TestFiles.h"

#include <QDir>
#include <QTemporaryDir>
#include <QThread>

#include <memory>
#include <vector>

namespace {

TEST(SharedIndexTest, ProcessesWritingTheIndexAtOnceLeaveItUsable) {
    QTemporaryDir folder;
    const QString calendar = folder.filePath("calendars/home");
    for (int i = 0; i < 300; ++i)
        ASSERT_TRUE(writeFile(
            QStringLiteral("%1/e%2.ics").arg(calendar).arg(i),
            QStringLiteral("BEGIN:VCALENDAR\r\nVERSION:2.0\r\nPRODID:-//Test//EN\r\nBEGIN:VEVENT\r\n"
                           "UID:e%1\r\nDTSTART:20261208T%2Z\r\nSUMMARY:Event %1\r\nEND:VEVENT\r\n"
                           "END:VCALENDAR\r\n")
                .arg(i)
                .arg(QStringLiteral("%1").arg(i % 24 * 10000, 6, 10, QChar(u'0')))
                .toUtf8()));
    QThread::msleep(2100); // old enough for the index to take them
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert("VERDALUNE_CALENDAR_DIR", folder.filePath("calendars"));
    environment.insert("XDG_CACHE_HOME", folder.filePath("cache"));
    environment.insert("TZ", "UTC");
    const QStringList list{"list", "--from", "2026-12-01T00:00", "--to", "2026-12-31T00:00"};

    std::vector<std::unique_ptr<QProcess>> processes;
    for (int i = 0; i < 8; ++i) {
        auto& process = processes.emplace_back(std::make_unique<QProcess>());
        process->setProcessEnvironment(environment);
        process->start(QStringLiteral(VERDALUNE_CLI),
                       i % 4 == 3 ? QStringList{"add", "--now", "2026-12-07T08:00",
                                                QStringLiteral("dec 20 10am party %1").arg(i)}
                                  : list);
    }
    for (const auto& process : processes) {
        ASSERT_TRUE(process->waitForFinished(60000));
        EXPECT_EQ(process->exitCode(), 0) << process->readAllStandardError().toStdString();
    }

    const CliRun warm = runCli(list, {}, environment);
    ASSERT_TRUE(QDir(folder.filePath("cache/verdalune")).removeRecursively());
    const CliRun cold = runCli(list, {}, environment);
    EXPECT_EQ(warm.out.count(u'\n'), 302);
    EXPECT_EQ(warm.out, cold.out);
}

} // namespace
