#pragma once

#include "IcsTime.h"
#include "records/CalAlarm.h"
#include "records/CalAttendee.h"

#include <QList>
#include <QString>
#include <QUrl>

#include <memory>
#include <optional>

// What the program keeps of one VEVENT: its times and the fields of a record, nothing of libical's tree.
// IcsSeriesCodec writes every field into the store's index: a new field goes there too.
struct IcsEventData {
    struct Alarm {
        std::shared_ptr<const CalAlarm> alarm; // a relative trigger counts from the start...
        bool relatedToEnd = false;             // ...or, when this is set, from the end
    };
    // A nominal part (calendar days, which keep the clock time across daylight-saving changes) plus an
    // exact part.
    struct Duration {
        qint64 days = 0;
        qint64 seconds = 0;
    };

    QString uid;
    IcsTime start;
    Duration duration;
    std::optional<IcsTime> recurrenceId;
    bool thisAndFuture = false; // RANGE=THISANDFUTURE
    int sequence = 0;

    QString title;
    QString location;
    QString notes;
    QUrl url;
    QList<Alarm> alarms;
    QList<CalAttendee> attendees;
    std::optional<CalAttendee> organizer;
};
