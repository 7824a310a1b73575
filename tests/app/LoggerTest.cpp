#include "app/Logger.h"

#include <QStringList>
#include <QVariantMap>

#include <gtest/gtest.h>

namespace {

QVariantMap entry(const QString& name, int level) {
    return {{QStringLiteral("name"), name}, {QStringLiteral("level"), level}};
}

void reportDiskFull() {
    VL_LOG(LOTHER, Logger::LOG_ERROR_LEVEL, QStringLiteral("disk full"));
}

// The registry is global: every test starts and ends with all loggers at error level.
class LoggerTest : public ::testing::Test {
protected:
    void SetUp() override {
        Logger::setSink([this](const QString& line) { m_lines.append(line); });
    }
    void TearDown() override {
        Logger::setSink(nullptr);
        QVariantList reset{entry(Logger::DEFAULT_LOGGER_NAME, Logger::LOG_ERROR_LEVEL)};
        for (const QVariant& saved : Logger::savedForm())
            reset.append(
                entry(saved.toMap().value(QStringLiteral("name")).toString(), Logger::LOG_ERROR_LEVEL));
        Logger::restoreFromUserDefaults(reset);
    }
    bool written(const QString& name, int level) {
        m_lines.clear();
        Logger::logWithLogger(name, __FILE__, __LINE__, "f", level, QStringLiteral("m"));
        return !m_lines.isEmpty();
    }
    QStringList m_lines;
};

TEST_F(LoggerTest, WithoutStoredListOnlyErrorsAreWritten) {
    for (const QVariant& notAList :
         {QVariant(), QVariant(QStringLiteral("loggers")), QVariant(QVariantMap{})})
        EXPECT_FALSE(Logger::restoreFromUserDefaults(notAList)) << notAList.typeName();
    EXPECT_FALSE(written(LCALSTORE, Logger::LOG_INFO_LEVEL));
    EXPECT_TRUE(written(LCALSTORE, Logger::LOG_ERROR_LEVEL));
    EXPECT_TRUE(Logger::restoreFromUserDefaults(QVariantList{}));
    EXPECT_FALSE(written(LCALSTORE, Logger::LOG_WARNING_LEVEL));
}

TEST_F(LoggerTest, StoredEntryTurnsUpOneLogger) {
    ASSERT_TRUE(Logger::restoreFromUserDefaults(QVariantList{entry(LCALSTORE, Logger::LOG_VERBOSE_LEVEL)}));
    EXPECT_TRUE(written(LCALSTORE, Logger::LOG_VERBOSE_LEVEL));
    EXPECT_FALSE(written(LACTIONS, Logger::LOG_WARNING_LEVEL));
    EXPECT_FALSE(written(LOTHER, Logger::LOG_INFO_LEVEL));
    EXPECT_TRUE(written(LOTHER, Logger::LOG_ERROR_LEVEL));
}

TEST_F(LoggerTest, DefaultEntryAppliesToNamesWithoutTheirOwn) {
    ASSERT_TRUE(Logger::restoreFromUserDefaults(
        QVariantList{entry(Logger::DEFAULT_LOGGER_NAME, Logger::LOG_INFO_LEVEL),
                     entry(LACTIONS, Logger::LOG_ERROR_LEVEL)}));
    // Only a name no test registers is sure to have no entry of its own.
    EXPECT_TRUE(written(QStringLiteral("Never Registered Log"), Logger::LOG_INFO_LEVEL));
    EXPECT_FALSE(written(LACTIONS, Logger::LOG_INFO_LEVEL));
}

TEST_F(LoggerTest, MessageAtTheLevelIsWritten) {
    const QString name = QStringLiteral("Threshold Test Log");
    ASSERT_TRUE(Logger::restoreFromUserDefaults(QVariantList{entry(name, Logger::LOG_WARNING_LEVEL)}));
    EXPECT_FALSE(written(name, Logger::LOG_WARNING_LEVEL - 1));
    EXPECT_TRUE(written(name, Logger::LOG_WARNING_LEVEL));
    EXPECT_TRUE(written(name, Logger::LOG_WARNING_LEVEL + 1));
}

TEST_F(LoggerTest, LineIsFunctionColonMessage) {
    Logger::logWithLogger(LOTHER, "Store.cpp", 12, "saveEvent", Logger::LOG_ERROR_LEVEL,
                          QStringLiteral("100% of %1 and %2"));
    reportDiskFull();
    EXPECT_EQ(m_lines, (QStringList{QStringLiteral("saveEvent: 100% of %1 and %2"),
                                    QStringLiteral("reportDiskFull: disk full")}));
}

} // namespace
