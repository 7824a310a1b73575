#pragma once

#include "records/CalEvent.h"

#include <QDateTime>
#include <QHashFunctions>
#include <QString>

// Names one occurrence independently of the record that currently represents it, so that views can keep
// per-event state across reloads: the uid, and for a recurring event the occurrence date.
class EventKey {
public:
    explicit EventKey(const CalEvent& event);

    bool isRecurring() const { return m_isRecurring; }
    QString uid() const { return m_uid; }
    QDateTime occurrence() const { return m_occurrence; } // invalid unless recurring

    // A recurring and a non-recurring key never match, so that equal keys always hash alike.
    bool operator==(const EventKey& other) const;

private:
    bool m_isRecurring;
    QString m_uid;
    QDateTime m_occurrence;
};

size_t qHash(const EventKey& key, size_t seed = 0);
