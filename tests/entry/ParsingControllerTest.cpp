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

TEST_F(ParsingControllerTest, BlanksAroundTheLineDoNotMatter) {
    for (const char* line :
         {"  tomorrow lunch", "tomorrow lunch \t", "\t tomorrow lunch \t", "\u3000tomorrow lunch"})
        EXPECT_EQ(built(line), "2026-06-11 00:00 .. 2026-06-12 00:00 lunch [Home] all-day") << line;
}

TEST_F(ParsingControllerTest, DayMonthOrderChangesTheNextParse) {
    EXPECT_EQ(built("3/4 x"), "2027-04-03 00:00 .. 2027-04-04 00:00 x [Home] all-day");
    controller.setDayMonthOrder(1);
    EXPECT_EQ(built("3/4 x"), "2027-03-04 00:00 .. 2027-03-05 00:00 x [Home] all-day");
    controller.setDayMonthOrder(0);
    EXPECT_EQ(built("3/4 x"), "2027-04-03 00:00 .. 2027-04-04 00:00 x [Home] all-day");
}

TEST_F(ParsingControllerTest, ParsesOneDateAndTime) {
    const std::pair<const char*, const char*> cases[] = {
        {"fri 9am dentist", "2026-06-12 09:00"},
        {"9am", "2026-06-11 09:00"},
        {"dec 25 to dec 26", "2026-12-25 00:00"},
        {"dentist", "none"},
        {"at 9 dentist", "none"},
        {"", "none"},
    };
    for (const auto& [line, expected] : cases) {
        const std::optional<CalendarDate> date = controller.parseDateTime(line, reference);
        EXPECT_EQ(date ? entrytest::wallClock(*date) : "none", expected) << line;
    }
}

TEST_F(ParsingControllerTest, LinesThatAreNotUnderstood) {
    for (const char* line : {"at 9 lunch", "0 lunch", "fri to at 9 x", "work: at 9", "lunch tomorrow", " \t ",
                             "+99999999999 days x", "fri to +99999999999 days"})
        EXPECT_EQ(built(line), "none") << '"' << line << '"';
    // After a start with a time, a bare number is an hour, so "at 9" names 9:00 there.
    EXPECT_EQ(built("fri 8am to at 9 x"), "2026-06-12 08:00 .. 2026-06-12 09:00 x [Home]");
}

// Letters that match only when case is ignored (the long s for "s") are understood all the way through.
TEST_F(ParsingControllerTest, CaseVariantLetters) {
    EXPECT_EQ(built("\u017Fport: \u017Fun x"), "2026-06-14 00:00 .. 2026-06-15 00:00 x [Sport] all-day");
}

QString repeated(const QString& piece, int length) {
    return piece.repeated(length / piece.size() + 1).left(length);
}

QString randomWords(int length) {
    const QStringList words{"fri",  "9",     "to",     "-",        "lunch", "+3",      "days",
                            "at",   "12:30", "sport:", "dec",      "25th",  "/",       "3/4",
                            "🎉",    "31",    "pm",     "next",     "week",  "\t",      "0",
                            "noon", "café",  "שלום",   "+1000000", "years", "\u017Fun"};
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
}

} // namespace
