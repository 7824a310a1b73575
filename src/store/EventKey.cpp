#include "EventKey.h"

EventKey::EventKey(const CalEvent& event)
    : m_isRecurring(event.recurrenceRule != nullptr), m_uid(event.uid),
      m_occurrence(m_isRecurring ? event.occurrence : QDateTime()) {}

bool EventKey::operator==(const EventKey& other) const {
    return m_uid == other.m_uid && m_isRecurring == other.m_isRecurring && m_occurrence == other.m_occurrence;
}

size_t qHash(const EventKey& key, size_t seed) {
    return qHash(key.uid(), seed) ^ (key.occurrence().isValid() ? qHash(key.occurrence(), seed) : 0);
}
