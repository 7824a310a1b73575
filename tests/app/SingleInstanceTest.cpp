#include "app/SingleInstance.h"

#include <gtest/gtest.h>

#include <QDBusMessage>
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

} // namespace
