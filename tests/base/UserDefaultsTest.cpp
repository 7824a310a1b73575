#include "base/UserDefaults.h"

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
}

} // namespace
