#include "SearchResultsModel.h"

#include "dates/DateFormatter.h"
#include "records/CalEvent.h"

#include <QColor>

SearchResultsModel::SearchResultsModel(std::shared_ptr<DateFormatter> formatter, QObject* parent)
    : QAbstractTableModel(parent), m_formatter(std::move(formatter)) {}

void SearchResultsModel::setEvents(const EventList& events) {
    beginResetModel();
    m_events = events;
    endResetModel();
}

int SearchResultsModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : int(m_events.size());
}

int SearchResultsModel::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : ColumnCount;
}

// Matches span two years, so the year is always written; all-day events have no time.
QString SearchResultsModel::dateText(const CalEvent& event) const {
    const CalendarDate start = CalendarDate::fromQDateTime(event.startDate);
    QString text =
        tr("%1, %2").arg(m_formatter->dateOnlyDescriptionWithDate(start), m_formatter->yearWithDate(start));
    if (!event.isAllDay)
        text = tr("%1 %2").arg(text, m_formatter->timeDescriptionWithDate(start));
    return text;
}

QVariant SearchResultsModel::data(const QModelIndex& index, int role) const {
    if (!index.isValid() || index.row() >= m_events.size())
        return {};
    const CalEvent& event = *m_events.at(index.row());
    if (role == Qt::DisplayRole) {
        switch (index.column()) {
        case DateColumn:
            return dateText(event);
        case TitleColumn:
            return event.title;
        case CalendarColumn:
            return event.calendar ? event.calendar->title : QString();
        }
    }
    if (role == Qt::DecorationRole && index.column() == CalendarColumn && event.calendar)
        return QColor::fromString(event.calendar->color);
    return {};
}

QVariant SearchResultsModel::headerData(int section, Qt::Orientation orientation, int role) const {
    if (orientation != Qt::Horizontal || role != Qt::DisplayRole)
        return {};
    switch (section) {
    case DateColumn:
        return tr("Date");
    case TitleColumn:
        return tr("Title");
    case CalendarColumn:
        return tr("Calendar");
    }
    return {};
}
