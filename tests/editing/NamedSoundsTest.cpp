// The sound names offered for alarms, found in the sound folders, and playing a sound that is not there.
#include "editing/NamedSounds.h"
#include "editing/CanberraSoundPlayer.h"

#include "TestFiles.h"
#include "TestSupport.h"

#include <QDir>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {

void touch(const QString& path) {
    ASSERT_TRUE(writeFile(path)) << path.toStdString();
}

// Sets an environment variable for one scope, putting back what was there.
class ScopedVariable {
public:
    ScopedVariable(const char* name, const QByteArray& value)
        : m_name(name), m_had(qEnvironmentVariableIsSet(name)), m_old(qgetenv(name)) {
        qputenv(name, value);
    }
    ~ScopedVariable() {
        if (m_had)
            qputenv(m_name, m_old);
        else
            qunsetenv(m_name);
    }

private:
    const char* m_name;
    bool m_had;
    QByteArray m_old;
};

QStringList sorted(QStringList names) {
    names.sort();
    return names;
}

TEST(NamedSounds, NamesTheSoundFilesOfEachFolderInTurnWithoutSortingOrMerging) {
    QTemporaryDir dir;
    const QString home = dir.filePath(QStringLiteral("home/sounds"));
    const QString local = dir.filePath(QStringLiteral("local/sounds"));
    const QString system = dir.filePath(QStringLiteral("system/sounds"));
    touch(home + QStringLiteral("/zz-mine.wav"));
    touch(home + QStringLiteral("/theme/stereo/deep.flac"));
    touch(home + QStringLiteral("/theme/index.theme"));
    touch(local + QStringLiteral("/bell.ogg"));
    touch(local + QStringLiteral("/tune.mp3"));
    touch(system + QStringLiteral("/theme/stereo/bell.oga"));
    touch(system + QStringLiteral("/theme/stereo/a.b.oga"));

    const QStringList names =
        NamedSounds::namedSoundsIn({home, dir.filePath(QStringLiteral("missing")), local, system});
    ASSERT_EQ(names.size(), 5) << names.join(u',').toStdString();
    // Within one folder the order is the file system's.
    EXPECT_EQ(sorted(names.mid(0, 2)), (QStringList{QStringLiteral("deep"), QStringLiteral("zz-mine")}));
    EXPECT_EQ(names[2], QStringLiteral("bell"));
    EXPECT_EQ(sorted(names.mid(3)), (QStringList{QStringLiteral("a.b"), QStringLiteral("bell")}));
}

TEST(NamedSounds, OffersTheThemesAlarmSoundsFirst) {
    EXPECT_EQ(
        NamedSounds::alarmSoundsFirst({"network-connectivity-established", "complete", "zz", "bell", "bell"}),
        (QStringList{"bell", "complete", "network-connectivity-established", "zz", "bell"}));
}

TEST(NamedSounds, LooksInTheUsersFolderThenTheSystemsFromTheEnvironment) {
    {
        const ScopedVariable home("XDG_DATA_HOME", "/data/home");
        const ScopedVariable dirs("XDG_DATA_DIRS", "/data/one::/data/two");
        EXPECT_EQ(NamedSounds::soundFolders(),
                  (QStringList{QStringLiteral("/data/home/sounds"), QStringLiteral("/data/one/sounds"),
                               QStringLiteral("/data/two/sounds")}));
    }
    {
        const ScopedVariable home("XDG_DATA_HOME", "");
        const ScopedVariable dirs("XDG_DATA_DIRS", "");
        EXPECT_EQ(
            NamedSounds::soundFolders(),
            (QStringList{QDir::homePath() + QStringLiteral("/.local/share/sounds"),
                         QStringLiteral("/usr/local/share/sounds"), QStringLiteral("/usr/share/sounds")}));
    }
    // The freedesktop sound theme is installed with the program's dependencies.
    EXPECT_EQ(NamedSounds::namedSounds().value(0), QStringLiteral("alarm-clock-elapsed"));
    EXPECT_TRUE(NamedSounds::soundFile(QStringLiteral("alarm-clock-elapsed")).endsWith(u".oga"));
    EXPECT_EQ(NamedSounds::soundFile(QStringLiteral("no-such-sound")), QString());
}

TEST(CanberraSoundPlayer, ASoundThatIsNotThereDoesNotPlay) {
    CanberraSoundPlayer player;
    EXPECT_FALSE(player.play(QStringLiteral("verdalune-no-such-sound")));
    EXPECT_FALSE(player.play(QString()));
}

} // namespace
