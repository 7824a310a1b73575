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
    connect(&m_model, &ApplicationModel::eventsChanged, this, [this] { m_isStale = true; });
}

QString EventSearchIndex::searchableText(const CalEvent& event) {
    QStringList fields{event.title, event.notes, event.location};
    fields.append(CalAttendee::displayNames(event.attendees));
    return foldedForSearch(fields.join(FIELD_SEPARATOR));
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
    for (const Entry& entry : std::as_const(m_entries)) {
        const CalEvent& event = *entry.event;
        if (criteria.calendarUids &&
            (!event.calendar || !criteria.calendarUids->contains(event.calendar->uid)))
            continue;
        if (startsInRange(event, criteria.range, criteria.now) && entry.text.contains(text))
            found.append(entry.event);
    }
    std::stable_sort(found.begin(), found.end(),
                     [](const auto& a, const auto& b) { return a->startDate < b->startDate; });
    return found;
}
