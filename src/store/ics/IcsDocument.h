#pragma once

#include "IcsComponent.h"

#include <QByteArray>
#include <QList>
#include <QString>

// An iCalendar file as a tree of components that writes back byte for byte what it has not been asked to
// change. Reading is tolerant: any line ending (CRLF, LF, CR, mixed), a byte-order mark, folds with space
// or tab, bytes that are not UTF-8, text outside any component, components without END.
class IcsDocument {
public:
    static IcsDocument parse(const QByteArray& bytes);
    // A VCALENDAR with VERSION and PRODID and nothing else.
    static IcsDocument create();
    QByteArray serialize() const;

    // Where events and time zones belong: the first VCALENDAR, or the top level of a file without one.
    IcsComponent& body();
    // The VEVENTs with this UID (exact, case kept) in file order.
    QList<IcsComponent*> events(const QString& uid);
    // The VEVENT of `uid` whose RECURRENCE-ID has exactly this value text, or for an empty one the VEVENT
    // without RECURRENCE-ID (the master); null when there is none.
    IcsComponent* event(const QString& uid, const QString& recurrenceId = {});
    // Removes a component from wherever it is in the document; false when it is not there.
    bool remove(const IcsComponent* component);

private:
    IcsDocument() = default;

    QByteArray m_byteOrderMark;
    IcsComponent m_root;
};
