#include "base/PrivateFile.h"

#include "HostileFile.h"

#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <sys/stat.h>

namespace {

constexpr qint64 LIMIT = 4096;

class PrivateFileHostileTest : public ::testing::TestWithParam<HostileKind> {};

TEST_P(PrivateFileHostileTest, IsRefusedWithoutWaitingAndReplacedWithoutHarm) {
    QTemporaryDir scratch;
    const QString path = scratch.filePath(QStringLiteral("cache/state.json"));
    const HostileFile hostile(GetParam(), path, scratch.path(), LIMIT + 1);
    ASSERT_TRUE(hostile.made());

    const PrivateFile::Contents read = PrivateFile::read(path, LIMIT);
    EXPECT_EQ(read.outcome, PrivateFile::Outcome::Refused);
    EXPECT_FALSE(read.why.isEmpty());
    EXPECT_TRUE(read.bytes.isEmpty());

    const auto failure = PrivateFile::write(path, "fresh");
    if (GetParam() == HostileKind::Directory) {
        EXPECT_TRUE(failure.has_value()); // a folder is not ours to remove
    } else {
        EXPECT_FALSE(failure.has_value()) << failure->toStdString();
        EXPECT_TRUE(hostile.replacedByPlainFile());
        EXPECT_EQ(PrivateFile::read(path, LIMIT).bytes, QByteArray("fresh"));
    }
    EXPECT_TRUE(hostile.harmless());
}

INSTANTIATE_TEST_SUITE_P(Kinds, PrivateFileHostileTest, ::testing::ValuesIn(ALL_HOSTILE_KINDS),
                         hostileTestName);

TEST(PrivateFileTest, WritesForTheUserOnlyAndReadsBackWhatWasWritten) {
    QTemporaryDir scratch;
    const QString path = scratch.filePath(QStringLiteral("new/folder/file"));
    EXPECT_EQ(PrivateFile::read(path, LIMIT).outcome, PrivateFile::Outcome::Missing);

    const QByteArray bytes(LIMIT, 'x');
    ASSERT_FALSE(PrivateFile::write(path, bytes).has_value());
    struct stat info {};
    ASSERT_EQ(::stat(QFile::encodeName(path).constData(), &info), 0);
    EXPECT_EQ(info.st_mode & 0777, 0600u);
    ASSERT_EQ(::stat(QFile::encodeName(scratch.filePath(QStringLiteral("new/folder"))).constData(), &info),
              0);
    EXPECT_EQ(info.st_mode & 0777, 0700u);

    const PrivateFile::Contents read = PrivateFile::read(path, LIMIT);
    EXPECT_EQ(read.outcome, PrivateFile::Outcome::Read);
    EXPECT_EQ(read.bytes, bytes); // exactly at the bound is still read
    EXPECT_EQ(read.bytes.capacity(), read.bytes.size());
}

} // namespace
