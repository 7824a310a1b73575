#include "EventSearchIndex.h"

#include "searchFolding.h"
#include "store/ApplicationModel.h"

#include <QHash>

#include <algorithm>

namespace {

// Cannot be typed into the one-line field, so no match spans two fields.
constexpr QChar FIELD_SEPARATOR = u'\n';

bool startsInRange(const CalEvent& event, SearchRange range, const QDateTime& now) {
    switch (range) {
    case SearchRange::Future:
        return event.startDate >= now;
    case SearchRange::Past:
        return event.startDate <= now;
    case SearchRange::PastAndFuture:
        break;
    }
    return true;
}

} // namespace

EventSearchIndex::EventSearchIndex(const ApplicationModel& model, QObject* parent)
    : QObject(parent), m_model(model) {
    connect(&m_model, &ApplicationModel::eventsChanged, this, &EventSearchIndex::eventsDidChange);
}

QString EventSearchIndex::searchableText(const CalEvent& event) {
    QStringList fields{event.title, event.notes, event.location};
    fields.append(CalAttendee::displayNames(event.attendees));
    return foldedForSearch(fields.join(FIELD_SEPARATOR));
}

void EventSearchIndex::eventsDidChange(const ApplicationModel::EventsChange& change) {
    if (change.isWhole)
        m_isStale = true;
    if (m_isStale)
        return;
    const QSet<const CalEvent*> removed = change.removedRecords();
    m_entries.removeIf([&](const Entry& entry) { return removed.contains(entry.event.get()); });
    // The model puts the new records last, and so do the entries: equal starts keep the model's order.
    for (const auto& event : change.added)
        m_entries.append({event, searchableText(*event)});
}

void EventSearchIndex::refresh() {
    QHash<const CalEvent*, QString> known;
    known.reserve(m_entries.size());
    for (const Entry& entry : std::as_const(m_entries))
        known.insert(entry.event.get(), entry.text);
    QList<Entry> entries;
    entries.reserve(m_model.events().size());
    for (const auto& event : m_model.events()) {
        const auto found = known.constFind(event.get());
        entries.append({event, found != known.cend() ? *found : searchableText(*event)});
    }
    // The old entries held the records until now, so no address in `known` was reused.
    m_entries = std::move(entries);
    m_isStale = false;
}

EventList EventSearchIndex::matches(const SearchCriteria& criteria) {
    if (criteria.text.isEmpty())
        return {};
    if (m_isStale)
        refresh();
    const QString text = foldedForSearch(criteria.text);
    EventList found;
    for (const Entry& entry : std::as_const(m_entries))
        if (matches(entry, criteria, text))
            found.append(entry.event);
    sortByStart(found);
    return found;
}

void EventSearchIndex::sortByStart(EventList& events) {
    std::stable_sort(events.begin(), events.end(),
                     [](const auto& a, const auto& b) { return a->startDate < b->startDate; });
}

EventList EventSearchIndex::matchesAmong(const EventList& events, const SearchCriteria& criteria) {
    EventList found;
    if (criteria.text.isEmpty())
        return found;
    const QString text = foldedForSearch(criteria.text);
    for (const auto& event : events)
        if (matches(Entry{event, searchableText(*event)}, criteria, text))
            found.append(event);
    return found;
}

bool EventSearchIndex::matches(const Entry& entry, const SearchCriteria& criteria, const QString& folded) {
    const CalEvent& event = *entry.event;
    if (criteria.calendarUids && (!event.calendar || !criteria.calendarUids->contains(event.calendar->uid)))
        return false;
    return startsInRange(event, criteria.range, criteria.now) && entry.text.contains(folded);
}
