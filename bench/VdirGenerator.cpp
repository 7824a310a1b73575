#include "VdirGenerator.h"

#include <QDate>
#include <QDir>
#include <QFile>
#include <QRandomGenerator>

#include <chrono>
#include <thread>

namespace {

const char* const CALENDARS[] = {"home", "work", "family"};
const char* const TITLES[] = {"Lunch with Anna", "Standup",  "Dentist", "Gym",     "Project review",
                              "Call mom",        "Planning", "Concert", "Haircut", "Flight to Berlin"};

const char* const BERLIN =
    "BEGIN:VTIMEZONE\r\nTZID:Europe/Berlin\r\nBEGIN:DAYLIGHT\r\nTZOFFSETFROM:+0100\r\n"
    "TZOFFSETTO:+0200\r\nTZNAME:CEST\r\nDTSTART:19700329T020000\r\n"
    "RRULE:FREQ=YEARLY;BYMONTH=3;BYDAY=-1SU\r\nEND:DAYLIGHT\r\nBEGIN:STANDARD\r\n"
    "TZOFFSETFROM:+0200\r\nTZOFFSETTO:+0100\r\nTZNAME:CET\r\nDTSTART:19701025T030000\r\n"
    "RRULE:FREQ=YEARLY;BYMONTH=10;BYDAY=-1SU\r\nEND:STANDARD\r\nEND:VTIMEZONE\r\n";
const char* const NEW_YORK =
    "BEGIN:VTIMEZONE\r\nTZID:America/New_York\r\nBEGIN:DAYLIGHT\r\nTZOFFSETFROM:-0500\r\n"
    "TZOFFSETTO:-0400\r\nTZNAME:EDT\r\nDTSTART:19700308T020000\r\n"
    "RRULE:FREQ=YEARLY;BYMONTH=3;BYDAY=2SU\r\nEND:DAYLIGHT\r\nBEGIN:STANDARD\r\n"
    "TZOFFSETFROM:-0400\r\nTZOFFSETTO:-0500\r\nTZNAME:EST\r\nDTSTART:19701101T020000\r\n"
    "RRULE:FREQ=YEARLY;BYMONTH=11;BYDAY=1SU\r\nEND:STANDARD\r\nEND:VTIMEZONE\r\n";

QString stamp(const QDate& day, int hour, int minute) {
    return day.toString(QStringLiteral("yyyyMMdd")) +
           QStringLiteral("T%1%2").arg(hour, 2, 10, QChar(u'0')).arg(minute, 2, 10, QChar(u'0')) +
           QStringLiteral("00");
}

QString vevent(const QString& uid, const QString& body) {
    return QStringLiteral("BEGIN:VEVENT\r\nUID:%1\r\nDTSTAMP:20250101T000000Z\r\n%2END:VEVENT\r\n")
        .arg(uid, body);
}

} // namespace

void VdirGenerator::write(const QString& root, int eventCount, int firstYear) {
    QRandomGenerator random(20261207);
    for (const char* calendar : CALENDARS) {
        QDir(root).mkpath(QString::fromLatin1(calendar));
        QFile name(QDir(root).filePath(QStringLiteral("%1/displayname").arg(calendar)));
        if (name.open(QIODevice::WriteOnly))
            name.write(QByteArray(calendar).left(1).toUpper() + QByteArray(calendar).mid(1) + '\n');
    }
    const QDate first(firstYear, 1, 1);
    for (int i = 0; i < eventCount; ++i) {
        const QString uid = QStringLiteral("bench-%1@verdalune.example").arg(i, 6, 10, QChar(u'0'));
        const QDate day = first.addDays(random.bounded(730));
        const int hour = 7 + random.bounded(12), minute = 15 * random.bounded(4);
        const QString title = QString::fromLatin1(TITLES[random.bounded(10)]);
        const bool berlin = i % 2 == 0;
        const QString zone = berlin ? QStringLiteral("Europe/Berlin") : QStringLiteral("America/New_York");
        QString body = QStringLiteral("SUMMARY:%1\r\n").arg(title);
        QString overrides;
        switch (i % 10) {
        case 0: // all day, one to three days
            body += QStringLiteral("DTSTART;VALUE=DATE:%1\r\nDTEND;VALUE=DATE:%2\r\n")
                        .arg(day.toString("yyyyMMdd"), day.addDays(1 + i % 3).toString("yyyyMMdd"));
            break;
        case 1: // weekly for ten weeks, one week left out and one moved
            body += QStringLiteral("DTSTART;TZID=%1:%2\r\nDTEND;TZID=%1:%3\r\nRRULE:FREQ=WEEKLY;COUNT=10\r\n"
                                   "EXDATE;TZID=%1:%4\r\n")
                        .arg(zone, stamp(day, hour, minute), stamp(day, hour + 1, minute),
                             stamp(day.addDays(14), hour, minute));
            overrides = vevent(uid, QStringLiteral("RECURRENCE-ID;TZID=%1:%2\r\nDTSTART;TZID=%1:%3\r\n"
                                                   "DTEND;TZID=%1:%4\r\nSUMMARY:%5 (moved)\r\n")
                                        .arg(zone, stamp(day.addDays(21), hour, minute),
                                             stamp(day.addDays(22), hour, minute),
                                             stamp(day.addDays(22), hour + 1, minute), title));
            break;
        case 2: // monthly for a year
            body += QStringLiteral(
                        "DTSTART;TZID=%1:%2\r\nDURATION:PT30M\r\nRRULE:FREQ=MONTHLY;UNTIL=%3T235959Z\r\n")
                        .arg(zone, stamp(day, hour, minute), day.addYears(1).toString("yyyyMMdd"));
            break;
        default: // timed, with an alarm on every other one
            body += QStringLiteral("DTSTART;TZID=%1:%2\r\nDTEND;TZID=%1:%3\r\nLOCATION:Room %4\r\n")
                        .arg(zone, stamp(day, hour, minute), stamp(day, hour + 1, minute))
                        .arg(i % 40);
            if (i % 2)
                body += QStringLiteral("BEGIN:VALARM\r\nACTION:DISPLAY\r\nDESCRIPTION:Reminder\r\n"
                                       "TRIGGER:-PT15M\r\nEND:VALARM\r\n");
        }
        const QString text =
            QStringLiteral("BEGIN:VCALENDAR\r\nVERSION:2.0\r\nPRODID:-//Bench//Generator//EN\r\n") +
            QString::fromLatin1(berlin ? BERLIN : NEW_YORK) + vevent(uid, body) + overrides +
            QStringLiteral("END:VCALENDAR\r\n");
        QFile file(QDir(root).filePath(QStringLiteral("%1/%2.ics").arg(CALENDARS[i % 3], uid)));
        if (file.open(QIODevice::WriteOnly))
            file.write(text.toUtf8());
    }
    // As a store that was not changed a moment ago: files changed within two seconds are never taken
    // into an index, and no tool can set back the inode change time that counts.
    std::this_thread::sleep_for(std::chrono::milliseconds(2100));
}
