#include "dates/TimeOfDayReader.h"

#include <QString>

#include <gtest/gtest.h>

namespace {

std::string read(const char* text) {
    const std::optional<TimeOfDay> t = TimeOfDayReader::read(QString::fromLatin1(text));
    return t ? std::to_string(t->hour) + ':' + std::to_string(t->minute) + ':' + std::to_string(t->second)
             : "none";
}

TEST(TimeOfDayReader, ReadsClockTimesAndNothingElse) {
    const std::pair<const char*, const char*> cases[] = {
        {"9am", "9:0:0"},           {"at 9 pm", "21:0:0"},        {"AT 7PM", "19:0:0"},
        {"9:30 A.M.", "9:30:0"},    {"12 am", "0:0:0"},           {"12pm", "12:0:0"},
        {"0 pm", "12:0:0"},         {"19pm", "19:0:0"},           {"at noon", "12:0:0"},
        {"Midnight", "0:0:0"},      {"09:05", "9:5:0"},           {"23:59:59", "23:59:59"},
        {"9:30:15 PM", "21:30:15"}, {"at   3:30 pm  ", "15:30:0"}};
    for (const auto& [text, expected] : cases)
        EXPECT_EQ(read(text), expected) << '"' << text << '"';
    // An hour of 20 or more with a meridiem is a typo, not a 24-hour time.
    for (const char* text : {"20pm", "24:00", "9", "9:60", "9:30:60", "", "9:5", "9:30:", "123:00", "9am x",
                             "9 a.m", "at9pm", "noon pm"})
        EXPECT_EQ(read(text), "none") << '"' << text << '"';
}

} // namespace
