// Several verdalune-cli processes changing one event file at the same time: every change reported as
// done is in the file afterwards, and every other one is reported as a conflict.
#include "CliRunner.h"
#include "TestFiles.h"

#include <QDate>
#include <QFileInfo>
#include <QTemporaryDir>

#include <algorithm>
#include <thread>
#include <vector>

namespace {

const QByteArray DAILY_HEAD = "BEGIN:VCALENDAR\r\nVERSION:2.0\r\nPRODID:-//test//EN\r\nBEGIN:VEVENT\r\n"
                              "UID:standup\r\nDTSTAMP:20261201T000000Z\r\nDTSTART:20261207T140000Z\r\n"
                              "DTEND:20261207T141500Z\r\nSUMMARY:standup\r\nRRULE:FREQ=DAILY;COUNT=";
const QByteArray DAILY_TAIL = "\r\nEND:VEVENT\r\nEND:VCALENDAR\r\n";
const QDate FIRST_DAY(2026, 12, 7);

class ConcurrentWritersTest : public ::testing::Test {
protected:
    CliRun cli(const QStringList& arguments) {
        QProcessEnvironment environment;
        environment.insert("VERDALUNE_CALENDAR_DIR", m_folder.path());
        return runCli(arguments, {}, environment);
    }
    QString file() const { return m_folder.filePath("work/standup.ics"); }
    // A series at 09:00 New York time on `days` days from FIRST_DAY.
    void writeSeries(int days) {
        ASSERT_TRUE(writeFile(file(), DAILY_HEAD + QByteArray::number(days) + DAILY_TAIL));
    }
    static QStringList removeOccurrence(int day) {
        return {"remove", "standup", "--occurrence", FIRST_DAY.addDays(day).toString(Qt::ISODate) + "T09:00",
                "--span", "0"};
    }
    // The days on which the series still occurs, as the program lists them.
    QStringList days() {
        const CliRun run = cli({"list", "--from", "2026-12-01T00:00", "--to", "2027-03-01T00:00"});
        EXPECT_EQ(run.exitCode, 0) << run.err.toStdString();
        QStringList result;
        for (const QString& line : run.out.split(u'\n', Qt::SkipEmptyParts))
            result.append(line.left(10));
        return result;
    }
    static bool isConflict(const CliRun& run) {
        return run.exitCode == 1 && run.err.contains("was changed by another program");
    }

    QTemporaryDir m_folder;
};

TEST_F(ConcurrentWritersTest, OccurrencesRemovedSideBySideAreAllRemovedOrReportedAsConflicts) {
    constexpr int PER_PROCESS = 25;
    writeSeries(2 * PER_PROCESS);
    std::vector<char> removed(2 * PER_PROCESS, false); // written by both threads, at other places
    QStringList unexpected[2];
    // Two processes at a time, one removing the even days and one the odd days.
    auto removeEvery = [&](int lane) {
        for (int day = lane; day < 2 * PER_PROCESS; day += 2) {
            const CliRun run = cli(removeOccurrence(day));
            removed[day] = run.exitCode == 0;
            if (run.exitCode != 0 && !isConflict(run))
                unexpected[lane].append(run.err);
        }
    };
    std::thread even(removeEvery, 0), odd(removeEvery, 1);
    even.join();
    odd.join();
    EXPECT_EQ((unexpected[0] + unexpected[1]).join(u'\n').toStdString(), "");

    QStringList expected;
    for (int day = 0; day < 2 * PER_PROCESS; ++day) {
        if (!removed[day])
            expected.append(FIRST_DAY.addDays(day).toString(Qt::ISODate));
    }
    EXPECT_EQ(days().join(u' ').toStdString(), expected.join(u' ').toStdString())
        << std::count(removed.begin(), removed.end(), true) << " removals reported as done";
}

TEST_F(ConcurrentWritersTest, ASeriesRemovedWhileAnotherProcessRemovesAnOccurrenceStaysRemoved) {
    for (int trial = 0; trial < 12; ++trial) {
        writeSeries(5);
        CliRun whole, one;
        std::thread series([&] { whole = cli({"remove", "standup"}); });
        std::thread occurrence([&] { one = cli(removeOccurrence(2)); });
        series.join();
        occurrence.join();
        SCOPED_TRACE(testing::Message() << "trial " << trial << ": " << whole.err.toStdString() << " / "
                                        << one.err.toStdString());
        if (whole.exitCode == 0) {
            EXPECT_FALSE(QFileInfo::exists(file()));
            // It lost, or it read the folder after the series was gone, or removed the occurrence before
            // the series was read.
            EXPECT_TRUE(one.exitCode == 0 || isConflict(one) || one.err.contains("has no occurrence"));
        } else {
            EXPECT_TRUE(isConflict(whole));
            ASSERT_EQ(one.exitCode, 0);
            EXPECT_EQ(days().join(u' ').toStdString(), "2026-12-07 2026-12-08 2026-12-10 2026-12-11");
        }
    }
}

} // namespace
