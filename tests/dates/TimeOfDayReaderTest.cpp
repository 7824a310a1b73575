#include "dates/TimeOfDayReader.h"

#include <QString>

#include <gtest/gtest.h>

#include <tuple>

namespace {

// A tuple so that failures print the three numbers.
std::tuple<int, int, int> parts(const TimeOfDay& t) {
    return {t.hour, t.minute, t.second};
}

TEST(TimeOfDayReader, ReadsClockTimes) {
    struct Case {
        const char* text;
        TimeOfDay time;
    };
    const Case cases[] = {
        {"9am", {9, 0, 0}},
        {"at 9 pm", {21, 0, 0}},
        {"9 p.m.", {21, 0, 0}},
        {"AT 7PM", {19, 0, 0}},
        {"9:30 A.M.", {9, 30, 0}},
        {"12 am", {0, 0, 0}},
        {"12:30 am", {0, 30, 0}},
        {"12pm", {12, 0, 0}},
        {"0 pm", {12, 0, 0}},
        {"13pm", {13, 0, 0}},
        {"noon", {12, 0, 0}},
        {"at noon", {12, 0, 0}},
        {"Midnight", {0, 0, 0}},
        {"15:45", {15, 45, 0}},
        {"09:05", {9, 5, 0}},
        {"0:00", {0, 0, 0}},
        {"23:59:59", {23, 59, 59}},
        {"9:30:15 PM", {21, 30, 15}},
        {"at   3:30 pm  ", {15, 30, 0}},
    };
    for (const Case& c : cases) {
        const std::optional<TimeOfDay> read = TimeOfDayReader::read(QString::fromLatin1(c.text));
        ASSERT_TRUE(read.has_value()) << c.text;
        EXPECT_EQ(parts(*read), parts(c.time)) << c.text;
    }
}

TEST(TimeOfDayReader, RejectsEverythingElse) {
    for (const char* text :
         {"25:00", "24:00", "21pm",   "9",     "at 9", "9:60",  "9:30:60", "abc",   "",        "   ",
          "9:5",   "9:30:", "123:00", "9am x", "9amx", "9 a.m", "at",      "at9pm", "noon pm", "12:00:00:00"})
        EXPECT_FALSE(TimeOfDayReader::read(QString::fromLatin1(text)).has_value()) << '"' << text << '"';
}

} // namespace
