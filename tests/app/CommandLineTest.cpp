// The program's informational options through the real executable in an empty temporary home.
#include <gtest/gtest.h>

#include <QDirIterator>
#include <QProcess>
#include <QTemporaryDir>

using namespace Qt::StringLiterals;

namespace {

class CommandLineTest : public ::testing::TestWithParam<const char*> {};

TEST_P(CommandLineTest, AnswersAndExitsWithoutWritingAnything) {
    QTemporaryDir home;
    ASSERT_TRUE(home.isValid());
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(u"HOME"_s, home.path());
    for (const QString& name : {u"XDG_CONFIG_HOME"_s, u"XDG_DATA_HOME"_s, u"XDG_CACHE_HOME"_s,
                                u"XDG_STATE_HOME"_s, u"VERDALUNE_CALENDAR_DIR"_s})
        environment.remove(name);
    QProcess program;
    program.setProcessEnvironment(environment);
    program.start(QStringLiteral(VERDALUNE_BINARY), {QString::fromUtf8(GetParam())});
    ASSERT_TRUE(program.waitForFinished(10000)) << "a window stayed open";
    EXPECT_EQ(program.exitStatus(), QProcess::NormalExit);
    EXPECT_EQ(program.exitCode(), 0);
    EXPECT_TRUE(program.readAllStandardOutput().startsWith(
        GetParam() == std::string("--version") ? "verdalune " : "Usage: verdalune"));
    QDirIterator written(home.path(), QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot,
                         QDirIterator::Subdirectories);
    EXPECT_FALSE(written.hasNext()) << written.next().toStdString();
}

INSTANTIATE_TEST_SUITE_P(Options, CommandLineTest, ::testing::Values("--help", "--version"),
                         [](const auto& info) { return info.index == 0 ? "Help" : "Version"; });

} // namespace
