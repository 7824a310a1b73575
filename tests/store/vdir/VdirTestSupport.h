#pragma once

#include "store/vdir/VdirCalendarStore.h"

#include "base/Logger.h"

#include "DateEnvironmentGuard.h"
#include "EventLoopWait.h"
#include "TestFiles.h"
#include "TestSupport.h"

#include <QDir>
#include <QTemporaryDir>
#include <gtest/gtest.h>

// What the store logs at warning level while this lives.
struct StoreLog {
    StoreLog() {
        Logger::addLoggerWithName(LCALSTORE).setLevel(Logger::LOG_WARNING_LEVEL);
        Logger::setSink([this](const QString& line) { lines.append(line); });
    }
    ~StoreLog() {
        Logger::setSink(nullptr);
        Logger::addLoggerWithName(LCALSTORE).setLevel(Logger::LOG_ERROR_LEVEL);
    }

    QStringList lines;
};

// A calendar tree in a temporary folder, with files written as other programs write them.
class VdirTest : public ::testing::Test {
protected:
    QString folder(const QString& calendar) const { return QDir(m_root.path()).filePath(calendar); }
    QString path(const QString& calendar, const QString& file) const {
        return QDir(folder(calendar)).filePath(file);
    }

    void makeCalendar(const QString& calendar, const QString& title = QString()) const {
        QDir(m_root.path()).mkpath(calendar);
        if (!title.isEmpty())
            write(calendar, QStringLiteral("displayname"), title.toUtf8());
    }
    void write(const QString& calendar, const QString& file, const QByteArray& bytes) const {
        ASSERT_TRUE(writeFile(path(calendar, file), bytes));
    }
    QByteArray read(const QString& calendar, const QString& file) const {
        return readFile(path(calendar, file));
    }
    // An event of an hour from `start` in the calendar "home" of `store`, not saved yet.
    static std::shared_ptr<CalEvent> hourLong(CalendarStore& store, const QString& uid, const QString& title,
                                              const CalendarDate& start) {
        auto event = CalEvent::event();
        event->uid = uid;
        event->title = title;
        event->startDate = start.toQDateTime();
        event->endDate = start.addingSeconds(3600).toQDateTime();
        event->calendar = store.calendarWithUID("home");
        return event;
    }
    // The store's occurrences from `from` (2026 unless told) to the end of 2026.
    static EventList all(VdirCalendarStore& store, const CalendarDate& from = at(2026, 1, 1)) {
        return store.events(from.toQDateTime(), at(2027, 1, 1).toQDateTime(), store.calendars());
    }
    // Their titles, sorted.
    static QStringList titles(VdirCalendarStore& store, const CalendarDate& from = at(2026, 1, 1)) {
        QStringList result;
        for (const auto& e : all(store, from))
            result.append(e->title);
        result.sort();
        return result;
    }
    // Until the files written so far are old enough for the store's index to take them (a modification
    // time set back does not count: the inode change time cannot be).
    static void letSettle() { spin(int(VdirIndex::SETTLED_NS / 1'000'000) + 100); }

    DateEnvironmentGuard m_environment{QStringLiteral("Europe/Berlin")};
    QTemporaryDir m_root;
};

inline QByteArray ics(const QByteArray& events) {
    return "BEGIN:VCALENDAR\r\nVERSION:2.0\r\nPRODID:-//Peer//Test//EN\r\n" + events + "END:VCALENDAR\r\n";
}
