#pragma once

#include "store/CalendarStore.h"

#include <QDateTime>
#include <QList>
#include <QObject>
#include <QSet>
#include <QString>

#include <memory>
#include <optional>

class ApplicationModel;

// Which starts a search keeps, measured from now; the values are the ones stored in the defaults.
enum class SearchRange { PastAndFuture = 0, Future = 1, Past = 2 };

struct SearchCriteria {
    QString text;                              // as typed; empty finds nothing
    std::optional<QSet<QString>> calendarUids; // none: every calendar
    SearchRange range = SearchRange::PastAndFuture;
    QDateTime now;
};

// The model's events with their searchable text (title, notes, location and attendees' names) folded
// once per record, so that a keystroke costs one substring test per event. Records the model replaces
// are folded anew at the next search; the others keep their text.
class EventSearchIndex : public QObject {
    Q_OBJECT
public:
    explicit EventSearchIndex(const ApplicationModel& model, QObject* parent = nullptr);

    // By start date, equal starts in the model's order.
    EventList matches(const SearchCriteria& criteria);

private:
    struct Entry {
        std::shared_ptr<CalEvent> event;
        QString text;
    };

    static QString searchableText(const CalEvent& event);
    void refresh();

    const ApplicationModel& m_model;
    QList<Entry> m_entries;
    bool m_isStale = true;
};
