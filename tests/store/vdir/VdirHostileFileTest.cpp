#include "VdirTestSupport.h"

namespace {

QByteArray event(const QByteArray& uid, const QByteArray& start, const QByteArray& extra = {}) {
    return "BEGIN:VEVENT\r\nUID:" + uid + "\r\nDTSTAMP:20260101T000000Z\r\nDTSTART" + start +
           "\r\nDURATION:PT1H\r\nSUMMARY:" + uid + "\r\n" + extra + "END:VEVENT\r\n";
}

// A zone whose changes repeat every second: libical alone would expand it for minutes.
const QByteArray SECONDLY_ZONE = "BEGIN:VTIMEZONE\r\nTZID:Every Second\r\nBEGIN:STANDARD\r\n"
                                 "DTSTART:19700101T000000\r\nRRULE:FREQ=SECONDLY\r\nTZOFFSETFROM:+0200\r\n"
                                 "TZOFFSETTO:+0100\r\nEND:STANDARD\r\nEND:VTIMEZONE\r\n";

class VdirHostileFileTest : public VdirTest {
protected:
    // The occurrences from December on, where these files have theirs.
    static QStringList titles(VdirCalendarStore& store) { return VdirTest::titles(store, at(2026, 12, 1)); }
    qsizetype logged(const QString& text) const {
        return std::count_if(m_log.lines.cbegin(), m_log.lines.cend(),
                             [&](const QString& line) { return line.contains(text); });
    }

    StoreLog m_log;
};

} // namespace

// A file with a runaway zone and a 10 MB line, and a file without events, beside normal ones: every
// event is listed, and the warnings of each hostile file are logged when it is read, not again by later
// queries or rescans of its folder.
TEST_F(VdirHostileFileTest, ListsEveryFileAndLogsTheHostileOneOnce) {
    makeCalendar("home");
    write("home", "a.ics", ics(event("first", ":20261210T090000Z")));
    write("home", "hostile.ics",
          ics(SECONDLY_ZONE + event("hostile", ";TZID=Every Second:20261211T090000",
                                    "DESCRIPTION:" + QByteArray(10'000'000, 'x') + "\r\n")));
    write("home", "z.ics", ics(event("second", ":20261212T090000Z")));
    write("home", "broken.ics", ics("X-NO-EVENT:" + QByteArray(10'000'000, 'y') + "\r\n"));

    VdirCalendarStore store(m_root.path());
    EXPECT_EQ(titles(store), QStringList({"first", "hostile", "second"}));
    EXPECT_EQ(titles(store), QStringList({"first", "hostile", "second"}));
    write("home", "new.ics", ics(event("third", ":20261213T090000Z")));
    EXPECT_TRUE(waitFor([&] { return titles(store).size() == 4; }));

    EXPECT_EQ(logged("hostile.ics"), 1) << m_log.lines.join(u'\n').toStdString();
    EXPECT_EQ(logged("\"Every Second\""), 1);
    EXPECT_EQ(logged("broken.ics is skipped"), 1);
    EXPECT_EQ(logged("a.ics") + logged("z.ics") + logged("new.ics"), 0);
}
