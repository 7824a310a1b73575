#pragma once

#include "store/CalendarStore.h"

#include <QAbstractTableModel>

#include <memory>

class DateFormatter;

// The matches of a search as the table shows them: the start, the title and the calendar (with its
// colour), one row per event in the order given.
class SearchResultsModel : public QAbstractTableModel {
    Q_OBJECT
public:
    enum Column { DateColumn = 0, TitleColumn = 1, CalendarColumn = 2, ColumnCount = 3 };

    explicit SearchResultsModel(std::shared_ptr<DateFormatter> formatter, QObject* parent = nullptr);

    const EventList& events() const { return m_events; }
    void setEvents(const EventList& events);
    // -1 when the record is not shown.
    int rowOfEvent(const std::shared_ptr<CalEvent>& event) const { return int(m_events.indexOf(event)); }

    int rowCount(const QModelIndex& parent = QModelIndex()) const override;
    int columnCount(const QModelIndex& parent = QModelIndex()) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role = Qt::DisplayRole) const override;

private:
    QString dateText(const CalEvent& event) const;

    std::shared_ptr<DateFormatter> m_formatter;
    EventList m_events;
};
