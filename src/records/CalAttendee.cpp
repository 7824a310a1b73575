#include "CalAttendee.h"

#include <algorithm>

QString CalAttendee::displayName() const {
    return commonName.isEmpty() ? address : commonName;
}

QString CalAttendee::addressOf(QString uri) {
    uri = uri.trimmed();
    if (uri.startsWith(QLatin1String("mailto:"), Qt::CaseInsensitive))
        uri.remove(0, 7);
    return uri;
}

QStringList CalAttendee::displayNames(const QList<CalAttendee>& attendees) {
    QStringList result;
    for (const CalAttendee& attendee : attendees)
        result.append(attendee.displayName());
    return result;
}

bool CalAttendee::hasAddress(const QString& other) const {
    return !address.isEmpty() && address.compare(other.trimmed(), Qt::CaseInsensitive) == 0;
}

QList<CalAttendee> CalAttendee::changedAnswers(const QList<CalAttendee>& before,
                                               const QList<CalAttendee>& after) {
    QList<CalAttendee> result;
    for (const CalAttendee& attendee : after) {
        const auto old = std::find_if(before.begin(), before.end(), [&](const CalAttendee& one) {
            return one.hasAddress(attendee.address);
        });
        if (old != before.end() &&
            (old->status != attendee.status || old->replyRequested != attendee.replyRequested))
            result.append(attendee);
    }
    return result;
}

void CalAttendee::applyAnswers(QList<CalAttendee>& attendees, const QList<CalAttendee>& answers) {
    for (CalAttendee& attendee : attendees) {
        for (const CalAttendee& answer : answers) {
            if (attendee.hasAddress(answer.address)) {
                attendee.status = answer.status;
                attendee.replyRequested = answer.replyRequested;
            }
        }
    }
}

qsizetype CalAttendee::indexOf(const QList<CalAttendee>& attendees, const QStringList& addresses) {
    for (qsizetype i = 0; i < attendees.size(); ++i)
        for (const QString& address : addresses)
            if (attendees[i].hasAddress(address))
                return i;
    return -1;
}
