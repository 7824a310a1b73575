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
