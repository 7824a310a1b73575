// Drives the built program on a real X server: drags an event with the pointer, creates and edits one
// from the keyboard, and undoes, checking the event's file on disk after each step.
#include "records/CalCalendar.h"
#include "store/vdir/VdirCalendarStore.h"

#include "TestFiles.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QElapsedTimer>
#include <QGuiApplication>
#include <QImage>
#include <QPixmap>
#include <QProcess>
#include <QRegularExpression>
#include <QScreen>
#include <QTemporaryDir>
#include <QThread>

#include <functional>
#include <memory>

using namespace Qt::StringLiterals;

namespace {

// One linear day on a line of 1260 pixels: 52.5 pixels an hour, drags snapping to quarter hours.
constexpr int TWO_HOURS_IN_PIXELS = 105;

bool eventually(const std::function<bool()>& condition, int milliseconds = 15000) {
    QElapsedTimer timer;
    timer.start();
    while (!condition()) {
        if (timer.elapsed() > milliseconds)
            return false;
        QThread::msleep(100);
    }
    return true;
}

QString xdotool(const QStringList& arguments) {
    QProcess process;
    process.start(u"xdotool"_s, arguments);
    process.waitForFinished(10000);
    return QString::fromUtf8(process.readAllStandardOutput()).trimmed();
}

// The bounding box of the event's green bar within `area` of the screen.
QRect greenBar(const QRect& area) {
    const QImage screen = QGuiApplication::primaryScreen()->grabWindow(0).toImage().copy(area);
    QRect box;
    for (int y = 0; y < screen.height(); ++y)
        for (int x = 0; x < screen.width(); ++x) {
            const QRgb pixel = screen.pixel(x, y);
            if (qGreen(pixel) > qRed(pixel) + 60 && qGreen(pixel) > qBlue(pixel) + 60)
                box |= QRect(x, y, 1, 1);
        }
    return box.translated(area.topLeft());
}

// The value of the event's property `name` ("DTSTART"), not of the time zone's rules before it.
QDateTime eventTime(const QString& ics, const QString& name) {
    const auto match =
        QRegularExpression(u"^%1[^:\\r\\n]*:(\\d{8}T\\d{6})"_s.arg(name), QRegularExpression::MultilineOption)
            .match(ics, ics.indexOf(u"BEGIN:VEVENT"_s));
    return QDateTime::fromString(match.captured(1), u"yyyyMMdd'T'HHmmss"_s);
}

class EndToEndTest : public ::testing::Test {
protected:
    void SetUp() override {
        if (qEnvironmentVariableIsEmpty("DISPLAY"))
            GTEST_SKIP() << "no X server (scripts/test starts Xvfb)";
        qputenv("QT_QPA_PLATFORM", "xcb");
        m_application = std::make_unique<QGuiApplication>(m_argc, m_argv);
        writeStore();
        writeSettings();
    }
    void TearDown() override {
        if (m_program.state() != QProcess::NotRunning) {
            m_program.terminate();
            if (!m_program.waitForFinished(5000))
                m_program.kill();
            m_program.waitForFinished(5000);
        }
    }

    void writeStore() {
        VdirCalendarStore store(m_calendars.path());
        auto calendar = CalCalendar::calendar();
        calendar->uid = u"home"_s;
        calendar->title = u"Home"_s;
        calendar->color = u"#1E9E3C"_s;
        ASSERT_FALSE(store.saveCalendar(*calendar));
        auto event = CalEvent::event();
        event->uid = u"e2e-drag"_s;
        event->title = u"Drag me"_s;
        event->calendar = store.calendarWithUID(u"home"_s);
        // One to two hours from now, on the hour: on screen with now at the left.
        const QDateTime now = QDateTime::currentDateTimeUtc();
        event->startDate = QDateTime(now.date(), QTime(now.time().hour(), 0), Qt::UTC).addSecs(2 * 3600);
        event->endDate = event->startDate.addSecs(3 * 3600); // a bar some 30 pixels wide
        ASSERT_FALSE(store.saveEvent(*event, CalSpan::AllEvents));
    }
    // The helper would outlive the test; its own test runs it. Without the calendars pane the day spans the
    // window, as the drag distances assume.
    void writeSettings(
        const QByteArray& more = "shouldDisplayCalendars=false\nshowFirstTimeLaunchPanelKey=false\n") {
        ASSERT_TRUE(writeFile(m_config.filePath(u"pellowick/verdalune.conf"_s),
                              "[General]\ntimelineMode=1\ntimelineTimeInterval=86400\nscreenshot=1\n"
                              "runHelperApplication=false\n" +
                                  more));
    }
    QString eventFile(const QString& name = u"e2e-drag.ics"_s) const {
        return QString::fromUtf8(readFile(m_calendars.filePath(u"home/"_s + name)));
    }
    // The event files of the calendar besides the one written before the start.
    QStringList newEventFiles() const {
        QStringList names = QDir(m_calendars.filePath(u"home"_s)).entryList({u"*.ics"_s}, QDir::Files);
        names.removeAll(u"e2e-drag.ics"_s);
        return names;
    }
    // The visible window of the program with this title; empty when none shows.
    QString windowNamed(const QString& title) {
        QString window;
        eventually([&] {
            window = xdotool({u"search"_s, u"--all"_s, u"--onlyvisible"_s, u"--pid"_s,
                              QString::number(m_program.processId()), u"--name"_s, u"^%1$"_s.arg(title)})
                         .section(u'\n', 0, 0);
            return !window.isEmpty();
        });
        return window;
    }
    // That window, focused; false when none shows.
    bool focusWindowNamed(const QString& title) {
        const QString window = windowNamed(title);
        if (window.isEmpty())
            return false;
        xdotool({u"windowfocus"_s, u"--sync"_s, window});
        // A window just mapped takes a moment before its focused field gets the keys.
        QThread::msleep(300);
        return true;
    }

    // The program's window on the screen.
    QRect launch() {
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.insert(u"QT_QPA_PLATFORM"_s, u"xcb"_s);
        environment.insert(u"VERDALUNE_CALENDAR_DIR"_s, m_calendars.path());
        environment.insert(u"XDG_CONFIG_HOME"_s, m_config.path());
        // No session bus: this run must not meet another instance of the program.
        environment.insert(u"DBUS_SESSION_BUS_ADDRESS"_s, u"unix:path=/nonexistent"_s);
        m_program.setProcessEnvironment(environment);
        m_program.start(QStringLiteral(VERDALUNE_BINARY));
        if (!m_program.waitForStarted(10000))
            return {};
        const QString window = windowNamed(u"Verdalune"_s);
        if (window.isEmpty())
            return {};
        xdotool({u"windowfocus"_s, window});
        // "X=0\nY=0\nWIDTH=1280\n…"
        QMap<QString, int> geometry;
        for (const QString& line : xdotool({u"getwindowgeometry"_s, u"--shell"_s, window}).split(u'\n'))
            geometry.insert(line.section(u'=', 0, 0), line.section(u'=', 1).toInt());
        return QRect(geometry[u"X"_s], geometry[u"Y"_s], geometry[u"WIDTH"_s], geometry[u"HEIGHT"_s]);
    }

    int m_argc = 1;
    char m_name[10] = "verdalune";
    char* m_argv[2] = {m_name, nullptr};
    std::unique_ptr<QGuiApplication> m_application;
    QTemporaryDir m_calendars, m_config;
    QProcess m_program;
};

TEST_F(EndToEndTest, ADragMovesTheStoredEventAndUndoPutsItBack) {
    const QString original = eventFile();
    const QDateTime start = eventTime(original, u"DTSTART"_s);
    const QDateTime end = eventTime(original, u"DTEND"_s);
    ASSERT_TRUE(start.isValid() && end.isValid()) << original.toStdString();
    const QRect window = launch();
    ASSERT_EQ(window.size(), QSize(1280, 800)) << "the screenshot switch sets the size";
    QRect bar;
    ASSERT_TRUE(eventually([&] {
        bar = greenBar(window);
        return bar.width() > 40;
    })) << "the event's bar never showed";

    const QPoint grip = bar.center();
    xdotool({u"mousemove"_s, QString::number(grip.x()), QString::number(grip.y())});
    xdotool({u"mousedown"_s, u"1"_s});
    for (int dx = 10; dx < TWO_HOURS_IN_PIXELS; dx += 10)
        xdotool({u"mousemove"_s, QString::number(grip.x() + dx), QString::number(grip.y())});
    xdotool({u"mousemove"_s, QString::number(grip.x() + TWO_HOURS_IN_PIXELS), QString::number(grip.y())});
    xdotool({u"mouseup"_s, u"1"_s});
    ASSERT_TRUE(eventually([&] { return eventTime(eventFile(), u"DTSTART"_s) != start; }))
        << "the drag was not saved";
    const QString moved = eventFile();
    EXPECT_EQ(start.secsTo(eventTime(moved, u"DTSTART"_s)), 7200) << moved.toStdString();
    EXPECT_EQ(end.secsTo(eventTime(moved, u"DTEND"_s)), 7200);

    xdotool({u"key"_s, u"ctrl+z"_s});
    EXPECT_TRUE(eventually([&] { return eventTime(eventFile(), u"DTSTART"_s) == start; }))
        << "undo did not restore the start";
    EXPECT_EQ(eventTime(eventFile(), u"DTEND"_s), end);
}

TEST_F(EndToEndTest, ALineTypedInTheEditorIsStoredAndAnEditIsUndone) {
    ASSERT_FALSE(launch().isEmpty());
    xdotool({u"key"_s, u"ctrl+n"_s});
    ASSERT_TRUE(focusWindowNamed(u"New Event"_s)) << "Ctrl+N opened no editor";
    xdotool({u"type"_s, u"--delay"_s, u"30"_s, u"tomorrow 3pm to 4:30pm lunch"_s});
    xdotool({u"key"_s, u"Return"_s});
    QStringList created;
    ASSERT_TRUE(eventually([&] { return !(created = newEventFiles()).isEmpty(); })) << "no file was written";
    const QString ics = eventFile(created.front());
    const QDate tomorrow = QDate::currentDate().addDays(1);
    EXPECT_EQ(eventTime(ics, u"DTSTART"_s), QDateTime(tomorrow, QTime(15, 0))) << ics.toStdString();
    EXPECT_EQ(eventTime(ics, u"DTEND"_s), QDateTime(tomorrow, QTime(16, 30)));
    EXPECT_TRUE(ics.contains(u"SUMMARY:lunch"_s));

    // The new event is selected: Return opens it, Tab reaches the title.
    ASSERT_TRUE(focusWindowNamed(u"Verdalune"_s));
    xdotool({u"key"_s, u"Return"_s});
    ASSERT_TRUE(focusWindowNamed(u"Edit Event"_s)) << "Return opened no editor on the new event";
    xdotool({u"key"_s, u"Tab"_s, u"ctrl+a"_s});
    xdotool({u"type"_s, u"--delay"_s, u"30"_s, u"picnic"_s});
    xdotool({u"key"_s, u"Return"_s});
    ASSERT_TRUE(eventually([&] { return eventFile(created.front()).contains(u"SUMMARY:picnic"_s); }))
        << "the edit was not saved";
    ASSERT_TRUE(focusWindowNamed(u"Verdalune"_s));
    xdotool({u"key"_s, u"ctrl+z"_s});
    EXPECT_TRUE(eventually([&] { return eventFile(created.front()) == ics; }))
        << "undo did not restore the file";
}

TEST_F(EndToEndTest, TheGlobalShortcutOpensTheEditorFromAnywhere) {
    ASSERT_FALSE(launch().isEmpty());
    // The key is grabbed on the root window, so it reaches the program whichever window has the focus.
    xdotool({u"key"_s, u"ctrl+super+n"_s});
    EXPECT_TRUE(focusWindowNamed(u"New Event"_s)) << "Ctrl+Super+N opened no editor";
}

TEST_F(EndToEndTest, SearchFindsAndOpensAnEventAndUntickingItsCalendarHidesIt) {
    writeSettings({}); // with the calendars pane and the welcome panel
    const QRect window = launch();
    ASSERT_FALSE(window.isEmpty());
    // The calendars pane at the left, the timeline beside it.
    const QRect pane(window.x(), window.y(), 200, window.height());
    const QRect timeline(window.x() + 240, window.y(), window.width() - 240, window.height());
    ASSERT_TRUE(eventually([&] { return greenBar(timeline).width() > 10; }))
        << "the event's bar never showed";
    // A first start: the welcome panel comes once, over the window, and Escape puts it away.
    ASSERT_TRUE(focusWindowNamed(u"Welcome to Verdalune"_s));
    xdotool({u"key"_s, u"Escape"_s});
    ASSERT_TRUE(focusWindowNamed(u"Verdalune"_s));

    xdotool({u"key"_s, u"ctrl+f"_s});
    xdotool({u"type"_s, u"--delay"_s, u"30"_s, u"drag"_s});
    xdotool({u"key"_s, u"Down"_s, u"Return"_s});
    ASSERT_TRUE(focusWindowNamed(u"Edit Event"_s)) << "the result was not selected and opened";
    xdotool({u"key"_s, u"Escape"_s});
    ASSERT_TRUE(focusWindowNamed(u"Verdalune"_s));

    ASSERT_GT(greenBar(timeline).width(), 10) << "the found event is shown undimmed";
    // The calendar's tick box is drawn in its colour: a click on it switches the calendar off.
    QRect box;
    ASSERT_TRUE(eventually([&] { return (box = greenBar(pane)).width() > 4; })) << "no tick box in the pane";
    xdotool({u"mousemove"_s, QString::number(box.center().x()), QString::number(box.center().y())});
    xdotool({u"click"_s, u"1"_s});
    EXPECT_TRUE(eventually([&] { return greenBar(timeline).isEmpty(); })) << "the bar is still on the screen";
}

} // namespace
