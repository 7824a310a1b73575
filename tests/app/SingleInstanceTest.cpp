#include "app/SingleInstance.h"

#include <gtest/gtest.h>

#include <QSignalSpy>

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

} // namespace
