#include "DateEnvironmentGuard.h"
#include "EntryTestSupport.h"

#include <gtest/gtest.h>

#include <chrono>
#include <random>

namespace {

class ParsingControllerTest : public ::testing::Test {
protected:
    QString built(const QString& line) { return maker.built(line, reference); }

    DateEnvironmentGuard environment{"America/New_York"};
    CalendarDate reference = at(2026, 6, 10, 10);
    entrytest::EventMaker maker;
    ParsingController& controller = maker.controller;
};

// Blanks around the line do not count; the long s (U+017F) matches "s" only when case is ignored.
TEST_F(ParsingControllerTest, BlanksLetterCaseAndDayMonthOrder) {
    for (const char* line : {"\t tomorrow lunch \t", "\u3000tomorrow lunch"})
        EXPECT_EQ(built(line), "2026-06-11 00:00 .. 2026-06-12 00:00 lunch [Home] all-day") << line;
    EXPECT_EQ(built("\u017Fport: \u017Fun x"), "2026-06-14 00:00 .. 2026-06-15 00:00 x [Sport] all-day");
    EXPECT_EQ(built("3/4 x"), "2027-04-03 00:00 .. 2027-04-04 00:00 x [Home] all-day");
    controller.setDayMonthOrder(1);
    EXPECT_EQ(built("3/4 x"), "2027-03-04 00:00 .. 2027-03-05 00:00 x [Home] all-day");
}

TEST_F(ParsingControllerTest, LinesThatAreNotUnderstood) {
    for (const char* line : {"at 9 lunch", "fri to at 9 x", "work: at 9", "lunch tomorrow", "fri to lunch",
                             " \t ", "+99999999999 days x"})
        EXPECT_EQ(built(line), "none") << '"' << line << '"';
    // One date and time at the start of a line; the rest is ignored.
    EXPECT_EQ(entrytest::wallClock(controller.parseDateTime("fri 9am dentist", reference).value()),
              "2026-06-12 09:00");
    EXPECT_FALSE(controller.parseDateTime("at 9 dentist", reference));
    EXPECT_FALSE(controller.parseDateTime("dentist", reference));
}

QString repeated(const QString& piece, int length) {
    return piece.repeated(length / piece.size() + 1).left(length);
}

QString randomWords(int length) {
    const QStringList words =
        QStringLiteral("fri 9 to - lunch +3 days at 12:30 sport: dec 25th / 3/4 🎉 31 pm "
                       "next week \t 0 noon café שלום +1000000 years \u017Fun")
            .split(u' ');
    std::mt19937 random(20260610);
    QString text;
    while (text.size() < length)
        text += words[int(random() % words.size())] + u' ';
    return text;
}

// Whatever is typed, the answer is a tree that can be applied, or nothing, and it comes at once.
TEST_F(ParsingControllerTest, HostileInputNeitherFailsNorHangs) {
    const QString nul(QChar(u'\0')), lone(QChar(0xD800));
    const std::pair<const char*, QString> lines[] = {
        {"empty", ""},
        {"random words", randomWords(10000)},
        {"digits", repeated("7", 10000)},
        {"separators", repeated("to ", 10000)},
        {"date then blanks", "fri" + repeated(" ", 10000) + "x"},
        {"offset with blanks", "+" + repeated("\t ", 10000) + "3 days x"},
        {"emoji", "🎉 party"},
        {"right-to-left", "fri 9am مرحبا"},
        {"combining mark on a date word", "fri\u0301 x"},
        {"nul inside", "fri " + nul + "x"},
        {"nul first", nul + "fri x"},
        {"controls inside", "fri \x01 x\r\ny\x7f"},
        {"controls first", "\x01\r\n\x7f fri x"},
        {"lone surrogate first", lone + "fri x"},
        {"lone surrogate inside", "fri " + lone + " x"},
        {"a million years twice", "+1000000 years to +1000000 years x"},
        {"a million weeks", "sport: +1000000 weeks"},
    };
    for (const auto& [name, line] : lines) {
        const auto started = std::chrono::steady_clock::now();
        EXPECT_NO_THROW(built(line)) << name;
        EXPECT_NO_THROW(controller.parseDateTime(line, reference)) << name;
        EXPECT_LT(std::chrono::steady_clock::now() - started, std::chrono::seconds(2)) << name;
    }
    EXPECT_EQ(built("fri 🎉"), "2026-06-12 00:00 .. 2026-06-13 00:00 🎉 [Home] all-day");
    EXPECT_EQ(built("tomorrow 9am שלום"), "2026-06-11 09:00 .. 2026-06-11 10:00 שלום [Home]");
    EXPECT_EQ(built("fri 9am cafe\u0301"), "2026-06-12 09:00 .. 2026-06-12 10:00 cafe\u0301 [Home]");
    EXPECT_EQ(built("+1000000 years x"), "1002026-06-10 00:00 .. 1002026-06-11 00:00 x [Home] all-day");
    EXPECT_EQ(built("fri " + lone + " x"), "none"); // broken UTF-16 is not understood
    EXPECT_EQ(built("fri 9am 🎉 x" + lone), "none"); // wherever it stands, after a pair too
}

} // namespace
