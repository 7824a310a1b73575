#include "base/UserDefaults.h"

#include "HostileFile.h"

#include <QCoreApplication>
#include <QFileInfo>
#include <QStringList>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {

TEST(UserDefaultsTest, StoredValuesOverRegisteredOnesAndSurviveAReopen) {
    QTemporaryDir directory;
    const QString path = directory.filePath(QStringLiteral("verdalune.conf"));
    QStringList changed;
    {
        UserDefaults defaults(path);
        QObject::connect(&defaults, &UserDefaults::valueChanged,
                         [&](const QString& key) { changed.append(key); });
        defaults.registerDefaults({{QStringLiteral("haveWarnedAboutCalDavKey"), false}});
        EXPECT_FALSE(defaults.contains(QStringLiteral("haveWarnedAboutCalDavKey")));
        EXPECT_EQ(defaults.value(QStringLiteral("haveWarnedAboutCalDavKey")), QVariant(false));
        EXPECT_FALSE(defaults.value(QStringLiteral("enabledCalendars")).isValid());

        defaults.setValue(QStringLiteral("haveWarnedAboutCalDavKey"), true);
        defaults.setValue(QStringLiteral("enabledCalendars"), QStringList{QStringLiteral("work")});
        defaults.setValue(QStringLiteral("loggers"), 1);
        defaults.remove(QStringLiteral("loggers"));
        defaults.remove(QStringLiteral("never stored"));
        defaults.synchronize();
    }
    EXPECT_EQ(changed,
              (QStringList{QStringLiteral("haveWarnedAboutCalDavKey"), QStringLiteral("enabledCalendars"),
                           QStringLiteral("loggers"), QStringLiteral("loggers")}));
    UserDefaults reopened(path);
    EXPECT_TRUE(reopened.value(QStringLiteral("haveWarnedAboutCalDavKey")).toBool());
    EXPECT_EQ(reopened.value(QStringLiteral("enabledCalendars")).toStringList(),
              QStringList{QStringLiteral("work")});
    EXPECT_FALSE(reopened.contains(QStringLiteral("loggers")));
    // Without a synchronize, written at the next pass of the event loop.
    reopened.setValue(QStringLiteral("zoom"), 3);
    EXPECT_EQ(reopened.value(QStringLiteral("zoom")).toInt(), 3);
    QCoreApplication::processEvents();
    EXPECT_EQ(UserDefaults(path).value(QStringLiteral("zoom")).toInt(), 3);
}

// What else may be at the settings file's path, or at that of the lock QSettings takes beside it (which
// holds nothing once written).
class UserDefaultsHostileTest : public ::testing::TestWithParam<std::tuple<HostileKind, const char*>> {};

TEST_P(UserDefaultsHostileTest, IsNotReadNorWaitedOnNorWrittenThrough) {
    const auto [kind, suffix] = GetParam();
    QTemporaryDir directory;
    const QString path = directory.filePath(QStringLiteral("config/verdalune.conf"));
    const QString key = QStringLiteral("zoom");
    ASSERT_TRUE(withstands(
        kind, path + QLatin1String(suffix), UserDefaults::MAX_FILE_SIZE + 1,
        [&] {
            UserDefaults defaults(path);
            const bool unread = !defaults.contains(key);
            defaults.setValue(key, 3);
            defaults.synchronize();
            return unread && defaults.value(key).toInt() == 3; // kept for the run at least
        },
        *suffix == '\0'));
    EXPECT_EQ(UserDefaults(path).contains(key), kind != HostileKind::Directory);
    // A file that may be the user's is set aside, not removed.
    const QFileInfo aside(path + QLatin1String(suffix) + QStringLiteral(".too-large"));
    EXPECT_EQ(aside.exists(), kind == HostileKind::Oversize);
}

INSTANTIATE_TEST_SUITE_P(Kinds, UserDefaultsHostileTest,
                         ::testing::Combine(::testing::ValuesIn(ALL_HOSTILE_KINDS),
                                            ::testing::Values("", ".lock")),
                         [](const auto& info) {
                             return hostileKindName(std::get<0>(info.param)) +
                                    (*std::get<1>(info.param) ? "AtTheLock" : "");
                         });

} // namespace
