#pragma once

#include <QList>
#include <QString>
#include <QStringList>

#include <utility>

// A participant of a meeting, as an ORGANIZER or ATTENDEE line of a calendar file names one. The program
// changes only the answer of the user's own entry (its status and whether a reply is still asked for).
struct CalAttendee {
    enum Status : qint8 { NeedsAction, Accepted, Tentative, Declined, Delegated };

    explicit CalAttendee(QString commonName = {}, QString address = {}, Status status = NeedsAction,
                         bool replyRequested = false)
        : commonName(std::move(commonName)), address(std::move(address)), status(status),
          replyRequested(replyRequested) {}

    QString commonName;
    QString address; // an e-mail address without "mailto:", or the whole address when it is of another kind
    Status status = NeedsAction;
    bool replyRequested = false; // RSVP=TRUE

    // The name to show: the common name, else the address.
    QString displayName() const;
    bool hasAddress(const QString& other) const;
    bool operator==(const CalAttendee&) const = default;

    // The address of a calendar user's URI: a "mailto:" address without its scheme.
    static QString addressOf(QString uri);
    static QStringList displayNames(const QList<CalAttendee>& attendees);
    // The entries of `after` whose answer differs from the entry of the same address in `before`.
    static QList<CalAttendee> changedAnswers(const QList<CalAttendee>& before,
                                             const QList<CalAttendee>& after);
    // Gives the entries of `attendees` the answers of the same address in `answers`.
    static void applyAnswers(QList<CalAttendee>& attendees, const QList<CalAttendee>& answers);
    // The index of the first entry whose address is one of `addresses`, or -1.
    static qsizetype indexOf(const QList<CalAttendee>& attendees, const QStringList& addresses);
};
