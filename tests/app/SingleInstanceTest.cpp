#include "app/SingleInstance.h"

#include <gtest/gtest.h>

#include <QDBusMessage>
#include <QFile>
#include <QSignalSpy>
#include <QTemporaryDir>

using namespace Qt::StringLiterals;

namespace {

TEST(SingleInstanceTest, ALaterStartBringsTheFirstToTheFront) {
    if (qEnvironmentVariableIsEmpty("DBUS_SESSION_BUS_ADDRESS"))
        GTEST_SKIP() << "no session bus (scripts/test runs the tests under dbus-run-session)";
    SingleInstance first;
    ASSERT_EQ(first.claim(), SingleInstance::Claim::Owned);
    QSignalSpy activations(&first, &SingleInstance::activationRequested);

    // A second program has a connection of its own.
    SingleInstance second(
        QDBusConnection::connectToBus(QDBusConnection::SessionBus, QStringLiteral("second")));
    EXPECT_EQ(second.claim(), SingleInstance::Claim::AlreadyRunning);
    EXPECT_EQ(activations.size(), 1);

    SingleInstance unconnected(QDBusConnection(QStringLiteral("never connected")));
    EXPECT_EQ(unconnected.claim(), SingleInstance::Claim::NoSessionBus);
    QDBusConnection::disconnectFromBus(QStringLiteral("second"));
}

// As the helper asks when a reminder is opened: the uid and the occurrence's start; the bus may carry
// anything, and a start that is not one only brings the window up.
TEST(SingleInstanceTest, AReminderAsksToShowItsOccurrence) {
    if (qEnvironmentVariableIsEmpty("DBUS_SESSION_BUS_ADDRESS"))
        GTEST_SKIP() << "no session bus (scripts/test runs the tests under dbus-run-session)";
    SingleInstance instance;
    ASSERT_EQ(instance.claim(), SingleInstance::Claim::Owned);
    QSignalSpy shown(&instance, &SingleInstance::eventShowRequested);
    QDBusConnection helper =
        QDBusConnection::connectToBus(QDBusConnection::SessionBus, QStringLiteral("helper"));
    for (const QString& start : {QStringLiteral("2026-12-10T08:30:00.000Z"), QStringLiteral("not a date")}) {
        QDBusMessage call =
            QDBusMessage::createMethodCall(SingleInstance::SERVICE_NAME, QStringLiteral("/"),
                                           SingleInstance::SERVICE_NAME, QStringLiteral("showEvent"));
        call << QStringLiteral("daily") << start;
        helper.send(call);
    }
    ASSERT_TRUE(shown.wait(5000) && (shown.size() == 2 || shown.wait(5000)));
    EXPECT_EQ(shown[0][0].toString(), QStringLiteral("daily"));
    EXPECT_EQ(shown[0][1].toDateTime(), QDateTime(QDate(2026, 12, 10), QTime(8, 30), Qt::UTC));
    EXPECT_FALSE(shown[1][1].toDateTime().isValid());
    QDBusConnection::disconnectFromBus(QStringLiteral("helper"));
}

// Any program may call the running one: only the full path of a regular file is taken.
TEST(SingleInstanceTest, ABusCallWithAPathThatIsNoFullPathOfAFileIsRefused) {
    if (qEnvironmentVariableIsEmpty("DBUS_SESSION_BUS_ADDRESS"))
        GTEST_SKIP() << "no session bus (scripts/test runs the tests under dbus-run-session)";
    QTemporaryDir folder;
    const QString file = folder.filePath(u"invite.ics"_s);
    ASSERT_TRUE(QFile(file).open(QIODevice::WriteOnly));
    SingleInstance first;
    ASSERT_EQ(first.claim(), SingleInstance::Claim::Owned);
    QSignalSpy requests(&first, &SingleInstance::importRequested);
    QDBusConnection caller =
        QDBusConnection::connectToBus(QDBusConnection::SessionBus, QStringLiteral("caller"));
    const std::pair<QString, QString> cases[] = {
        {u"invite.ics"_s, u"is not the full path"_s},
        {folder.path(), u"is a folder"_s},
        {u"/dev/null"_s, u"is not a regular file"_s},
        {folder.filePath(u"missing.ics"_s), u"does not exist"_s},
        {u":/icons/com.pellowick.verdalune.svg"_s, u"is not the full path"_s},
        {file, QString()},
    };
    for (const auto& [path, refusal] : cases) {
        QDBusMessage call = QDBusMessage::createMethodCall(SingleInstance::SERVICE_NAME, u"/"_s,
                                                           SingleInstance::SERVICE_NAME, u"importFiles"_s);
        call.setArguments({QStringList{path}});
        const QDBusMessage reply = caller.call(call, QDBus::BlockWithGui);
        if (refusal.isEmpty())
            EXPECT_EQ(reply.type(), QDBusMessage::ReplyMessage) << reply.errorMessage().toStdString();
        else
            EXPECT_TRUE(reply.type() == QDBusMessage::ErrorMessage && reply.errorMessage().contains(refusal))
                << path.toStdString() << ": " << reply.errorMessage().toStdString();
    }
    ASSERT_EQ(requests.size(), 6) << "the window tells the user of the refused ones";
    EXPECT_EQ(requests.back().front().toStringList(), QStringList{file});
    QDBusConnection::disconnectFromBus(QStringLiteral("caller"));
}

} // namespace
