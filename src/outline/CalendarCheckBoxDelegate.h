#pragma once

#include <QStyledItemDelegate>

// Draws the rows of the calendars outline: a group row as a small bold heading (an account's with its sync
// status under it), a calendar row as its tick box in the calendar's colour, its title and, for a calendar
// that another program keeps in step, a "synced" tag at the right. A click on the box, or Space, switches
// the calendar; a click on the title only selects the row.
class CalendarCheckBoxDelegate : public QStyledItemDelegate {
    Q_OBJECT
public:
    using QStyledItemDelegate::QStyledItemDelegate;

    void paint(QPainter* painter, const QStyleOptionViewItem& option,
               const QModelIndex& index) const override;
    QSize sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const override;

protected:
    bool editorEvent(QEvent* event, QAbstractItemModel* model, const QStyleOptionViewItem& option,
                     const QModelIndex& index) override;

private:
    void paintGroup(QPainter* painter, const QStyleOptionViewItem& option, const QModelIndex& index) const;
    void paintCalendar(QPainter* painter, const QStyleOptionViewItem& option, const QModelIndex& index) const;
    static void toggle(QAbstractItemModel* model, const QModelIndex& index);
};
