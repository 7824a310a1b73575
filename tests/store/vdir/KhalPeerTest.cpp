// khal, a real peer on the same folders: it reads what the store writes, and what it writes reaches the
// store as a change by another program.
#include "VdirTestSupport.h"

#include <QProcess>
#include <QStandardPaths>

namespace {

class KhalPeerTest : public VdirTest {
protected:
    void SetUp() override {
        ASSERT_FALSE(QStandardPaths::findExecutable("khal").isEmpty())
            << "khal is installed by scripts/bootstrap";
        makeCalendar("home", "Home");
        QFile config(QDir(m_root.path()).filePath("khal.conf"));
        ASSERT_TRUE(config.open(QIODevice::WriteOnly));
        config.write(
            QStringLiteral("[calendars]\n[[home]]\npath = %1\ntype = calendar\n[sqlite]\npath = %2\n"
                           "[locale]\ntimeformat = %H:%M\ndateformat = %Y-%m-%d\nlongdateformat = %Y-%m-%d\n"
                           "datetimeformat = %Y-%m-%d %H:%M\nlongdatetimeformat = %Y-%m-%d %H:%M\n"
                           "local_timezone = Europe/Berlin\ndefault_timezone = Europe/Berlin\n")
                .arg(folder("home"), QDir(m_root.path()).filePath("khal.db"))
                .toUtf8());
    }

    QString khal(const QStringList& arguments) {
        QProcess process;
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.insert("HOME", m_root.path());
        environment.insert("TZ", "Europe/Berlin");
        process.setProcessEnvironment(environment);
        process.start("khal", QStringList{"-c", QDir(m_root.path()).filePath("khal.conf")} + arguments);
        EXPECT_TRUE(process.waitForFinished(60000));
        return QString::fromUtf8(process.readAllStandardOutput() + process.readAllStandardError());
    }
};

TEST_F(KhalPeerTest, KhalListsWhatTheStoreWritesAndTheStoreSeesWhatKhalWrites) {
    VdirCalendarStore store(m_root.path());
    auto event = CalEvent::event();
    event->uid = "written-by-us";
    event->title = "Lunch with Anna";
    event->startDate = at(2026, 6, 11, 12, 30).toQDateTime();
    event->endDate = at(2026, 6, 11, 13, 30).toQDateTime();
    event->calendar = store.calendarWithUID("home");
    ASSERT_EQ(store.saveEvent(*event, CalSpan::AllEvents), std::nullopt);
    EXPECT_TRUE(khal({"list", "2026-06-10", "3d"}).contains("12:30-13:30 Lunch with Anna"));

    QStringList inserted;
    QObject::connect(&store, &CalendarStore::eventsChangedExternally,
                     [&](const StoreChanges& changes) { inserted += changes.inserted; });
    khal({"new", "-a", "home", "2026-06-12", "10:00", "11:00", "Written by khal"});
    ASSERT_TRUE(waitFor([&] { return !inserted.isEmpty(); }));
    const EventList events =
        store.events(at(2026, 6, 12).toQDateTime(), at(2026, 6, 13).toQDateTime(), store.calendars());
    ASSERT_EQ(events.size(), 1);
    EXPECT_EQ(events.front()->uid, inserted.front());
    EXPECT_EQ(events.front()->title, "Written by khal");
    EXPECT_EQ(events.front()->startDate, at(2026, 6, 12, 10).toQDateTime());
}

} // namespace
