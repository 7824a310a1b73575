// A second start of the real program with a file hands it to the running one, which asks for its calendar.
#include "EventLoopWait.h"
#include "ProgramTestSupport.h"
#include "TestFiles.h"

#include <gtest/gtest.h>

#include <QInputDialog>
#include <QProcess>
#include <QSignalSpy>
#include <QTimer>

namespace {

class OpenFilesTest : public ProgramTest {};

TEST_F(OpenFilesTest, ASecondStartWithARelativePathShowsTheImportOfItsFullPath) {
    if (qEnvironmentVariableIsEmpty("DBUS_SESSION_BUS_ADDRESS"))
        GTEST_SKIP() << "no session bus (scripts/test runs the tests under dbus-run-session)";
    SingleInstance instance;
    ASSERT_EQ(instance.claim(), SingleInstance::Claim::Owned);
    delegate.listen(instance);
    launch(false);
    QSignalSpy requests(&instance, &SingleInstance::importRequested);
    QTemporaryDir folder;
    ASSERT_TRUE(writeFile(folder.filePath(u"invite.ics"_s), "BEGIN:VCALENDAR\r\nEND:VCALENDAR\r\n"));

    // The calendar question, answered "Cancel" from within its own loop.
    QString asked;
    QTimer poll;
    QObject::connect(&poll, &QTimer::timeout, [&] {
        for (auto* dialog : delegate.mainWindow().findChildren<QInputDialog*>())
            if (dialog->isVisible()) {
                asked = dialog->labelText();
                dialog->reject();
            }
    });
    poll.start(10);
    QProcess second;
    second.setWorkingDirectory(folder.path());
    second.start(QStringLiteral(VERDALUNE_BINARY), {u"invite.ics"_s});
    ASSERT_TRUE(waitFor([&] { return second.state() == QProcess::NotRunning && !asked.isEmpty(); }, 20000))
        << second.readAllStandardError().toStdString();
    EXPECT_EQ(second.exitCode(), 0);
    ASSERT_EQ(requests.size(), 1);
    EXPECT_EQ(requests.front().front().toStringList(), QStringList{folder.filePath(u"invite.ics"_s)});
    EXPECT_EQ(asked, u"Import the events of “invite.ics” into:"_s);
}

} // namespace
