#include "base/Logger.h"

#include <QStringList>
#include <QVariantMap>

#include <gtest/gtest.h>

namespace {

QVariantMap entry(const QString& name, int level = Logger::LOG_ERROR_LEVEL) {
    return {{QStringLiteral("name"), name}, {QStringLiteral("level"), level}};
}

class LoggerTest : public ::testing::Test {
protected:
    void SetUp() override {
        Logger::setSink([this](const QString& line) { lines.append(line); });
    }
    // The registry is global: the loggers these tests change go back to error level.
    void TearDown() override {
        Logger::setSink(nullptr);
        Logger::restoreFromUserDefaults(
            QVariantList{entry(Logger::DEFAULT_LOGGER_NAME), entry(LCALSTORE), entry(LACTIONS)});
    }
    bool written(const QString& name, int level) {
        lines.clear();
        VL_LOG(name, level, QStringLiteral("m"));
        return !lines.isEmpty();
    }
    QStringList lines;
};

TEST_F(LoggerTest, StoredLevelsApplyToTheirLoggerAndTheDefaultToTheRest) {
    // Only a list is restored: a stray string converts to one too.
    for (const QVariant& notAList :
         {QVariant(), QVariant(QStringLiteral("loggers")), QVariant(QVariantMap{})})
        EXPECT_FALSE(Logger::restoreFromUserDefaults(notAList)) << notAList.typeName();
    EXPECT_FALSE(written(LCALSTORE, Logger::LOG_WARNING_LEVEL));
    EXPECT_TRUE(Logger::restoreFromUserDefaults(QVariantList{}));
    ASSERT_TRUE(Logger::restoreFromUserDefaults(QVariantList{entry(LCALSTORE, Logger::LOG_WARNING_LEVEL)}));
    EXPECT_FALSE(written(LCALSTORE, Logger::LOG_WARNING_LEVEL - 1));
    EXPECT_TRUE(written(LCALSTORE, Logger::LOG_WARNING_LEVEL));
    EXPECT_FALSE(written(LACTIONS, Logger::LOG_WARNING_LEVEL));
    ASSERT_TRUE(Logger::restoreFromUserDefaults(
        QVariantList{entry(Logger::DEFAULT_LOGGER_NAME, Logger::LOG_INFO_LEVEL), entry(LACTIONS)}));
    // Only a name no test registers is sure to have no logger of its own.
    EXPECT_TRUE(written(QStringLiteral("Never Registered Log"), Logger::LOG_INFO_LEVEL));
    EXPECT_FALSE(written(LACTIONS, Logger::LOG_INFO_LEVEL));
}

TEST_F(LoggerTest, LineIsFunctionColonMessage) {
    ASSERT_TRUE(written(LOTHER, Logger::LOG_ERROR_LEVEL));
    for (int level : {Logger::LOG_WARNING_LEVEL, Logger::LOG_ERROR_LEVEL})
        Logger::logWithLogger(LOTHER, "Store.cpp", 12, "saveEvent", level,
                              QStringLiteral("100% of %1 and %2"));
    EXPECT_EQ(lines, (QStringList{"written: m", "saveEvent: 100% of %1 and %2"}));
}

} // namespace
