#pragma once

#include "records/CalAlarm.h"

#include <QDateTime>
#include <QString>
#include <QUrl>

// One alarm of one occurrence, with what delivering it needs, so that it can fire after its event has
// changed or gone from memory.
struct PendingAlarm {
    QString uid;
    QDateTime occurrenceStart; // the occurrence's start, to open it by
    QDateTime occurrence;      // its original start, which moving it keeps; invalid for a single event
    QDateTime trigger;
    bool absolute = false; // at a fixed moment, which fires once for the whole series
    CalAlarm::Action action = CalAlarm::Display;
    QString title;
    QString calendarTitle;
    QString location;
    QString notes; // their first line
    QDateTime end;
    QString sound;
    QUrl program;
    QString programArguments;
    QString calendarUid;
    bool calendarEditable = false; // a read-only calendar's program alarms never run
};
