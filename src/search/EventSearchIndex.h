#pragma once

#include "store/ApplicationModel.h"
#include "store/CalendarStore.h"

#include <QDateTime>
#include <QList>
#include <QObject>
#include <QSet>
#include <QString>

#include <memory>
#include <optional>

// Which starts a search keeps, measured from now; the values are the ones stored in the defaults.
enum class SearchRange { PastAndFuture = 0, Future = 1, Past = 2 };

struct SearchCriteria {
    QString text;                              // as typed; empty finds nothing
    std::optional<QSet<QString>> calendarUids; // none: every calendar
    SearchRange range = SearchRange::PastAndFuture;
    QDateTime now;
};

// The model's events with their searchable text (title, notes, location and attendees' names) folded
// once per record, so that a keystroke costs one substring test per event. A change of the model folds
// only the records that came; after a reload each record is folded anew at the next search unless it is
// one of those known already.
class EventSearchIndex : public QObject {
    Q_OBJECT
public:
    explicit EventSearchIndex(const ApplicationModel& model, QObject* parent = nullptr);

    // By start date, equal starts in the model's order.
    EventList matches(const SearchCriteria& criteria);
    // Of `events`, those that match, in their order.
    static EventList matchesAmong(const EventList& events, const SearchCriteria& criteria);
    // Stable: equal starts keep their order.
    static void sortByStart(EventList& events);

private:
    struct Entry {
        std::shared_ptr<CalEvent> event;
        QString text;
    };

    static QString searchableText(const CalEvent& event);
    // Whether the entry matches the criteria, whose text is `folded`.
    static bool matches(const Entry& entry, const SearchCriteria& criteria, const QString& folded);
    void eventsDidChange(const ApplicationModel::EventsChange& change);
    void refresh();

    const ApplicationModel& m_model;
    QList<Entry> m_entries;
    bool m_isStale = true;
};
