#pragma once

#include <QByteArray>
#include <QString>

// Where a stored event came from: the calendar file as it was read, so that writing the event back keeps
// everything the program does not itself change, and so that a deleted series can be written again
// exactly as it was (with occurrences outside any loaded window and its COUNT).
struct CalEventSource {
    QString calendarUid;
    QString fileName; // within the calendar's folder
    QByteArray text;  // the whole file as read
};
