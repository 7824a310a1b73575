#include "CalendarCheckBoxDelegate.h"

#include "CalendarsOutlineModel.h"
#include "ColoredCheckBox.h"

#include <QApplication>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>

namespace {

constexpr int TITLE_GAP = 6;
constexpr int TAG_GAP = 8;
constexpr int MINIMUM_ROW_HEIGHT = 22;

QColor textColor(const QStyleOptionViewItem& option) {
    return option.palette.color(option.state & QStyle::State_Enabled ? QPalette::Active : QPalette::Disabled,
                                option.state & QStyle::State_Selected ? QPalette::HighlightedText
                                                                      : QPalette::Text);
}

} // namespace

void CalendarCheckBoxDelegate::paint(QPainter* painter, const QStyleOptionViewItem& option,
                                     const QModelIndex& index) const {
    if (CalendarsOutlineModel::isGroup(index))
        paintGroup(painter, option, index);
    else
        paintCalendar(painter, option, index);
}

void CalendarCheckBoxDelegate::paintGroup(QPainter* painter, const QStyleOptionViewItem& option,
                                          const QModelIndex& index) const {
    QStyleOptionViewItem heading = option;
    initStyleOption(&heading, index);
    heading.palette.setColor(QPalette::Text, option.palette.color(QPalette::PlaceholderText));
    QStyledItemDelegate::paint(painter, heading, index);
}

void CalendarCheckBoxDelegate::paintCalendar(QPainter* painter, const QStyleOptionViewItem& option,
                                             const QModelIndex& index) const {
    QStyleOptionViewItem row = option;
    initStyleOption(&row, index);
    // The row's background, selection and focus come from the style; box and text are ours.
    row.text.clear();
    row.features &= ~QStyleOptionViewItem::HasCheckIndicator;
    const QWidget* widget = option.widget;
    QStyle* style = widget ? widget->style() : QApplication::style();
    style->drawControl(QStyle::CE_ItemViewItem, &row, painter, widget);

    const QRect box = ColoredCheckBox::rectInCell(option.rect);
    ColoredCheckBox::paint(*painter, box, index.data(CalendarsOutlineModel::ColorRole).value<QColor>(),
                           index.data(Qt::CheckStateRole).toInt() == Qt::Checked);

    painter->save();
    QRect textRect = option.rect.adjusted(box.right() + 1 - option.rect.left() + TITLE_GAP, 0, -4, 0);
    if (index.data(CalendarsOutlineModel::IsSyncedRole).toBool()) {
        QFont small = option.font;
        small.setPointSizeF(option.font.pointSizeF() * 0.8);
        const QString tag = tr("synced");
        const int tagWidth = QFontMetrics(small).horizontalAdvance(tag);
        const QRect tagRect(textRect.right() - tagWidth + 1, textRect.top(), tagWidth, textRect.height());
        painter->setFont(small);
        painter->setPen(option.state & QStyle::State_Selected
                            ? option.palette.color(QPalette::HighlightedText)
                            : option.palette.color(QPalette::PlaceholderText));
        painter->drawText(tagRect, Qt::AlignVCenter | Qt::AlignRight, tag);
        textRect.setRight(tagRect.left() - TAG_GAP);
    }
    painter->setFont(option.font);
    painter->setPen(textColor(option));
    const QString title = option.fontMetrics.elidedText(index.data(Qt::DisplayRole).toString(),
                                                        Qt::ElideRight, textRect.width());
    painter->drawText(textRect, Qt::AlignVCenter | Qt::AlignLeft, title);
    painter->restore();
}

QSize CalendarCheckBoxDelegate::sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const {
    QSize size = QStyledItemDelegate::sizeHint(option, index);
    if (!CalendarsOutlineModel::isGroup(index))
        size.rwidth() += ColoredCheckBox::WIDTH + TITLE_GAP;
    size.setHeight(std::max(size.height(), MINIMUM_ROW_HEIGHT));
    return size;
}

bool CalendarCheckBoxDelegate::editorEvent(QEvent* event, QAbstractItemModel* model,
                                           const QStyleOptionViewItem& option, const QModelIndex& index) {
    if (!(index.flags() & Qt::ItemIsUserCheckable))
        return false;
    switch (event->type()) {
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonRelease:
    case QEvent::MouseButtonDblClick: {
        const auto* mouse = static_cast<QMouseEvent*>(event);
        if (mouse->button() != Qt::LeftButton ||
            !ColoredCheckBox::rectInCell(option.rect).contains(mouse->position().toPoint()))
            return false;
        // The press still selects the row; the release switches, and a double click is not a second one.
        if (event->type() == QEvent::MouseButtonRelease)
            toggle(model, index);
        return event->type() != QEvent::MouseButtonPress;
    }
    case QEvent::KeyPress: {
        const int key = static_cast<QKeyEvent*>(event)->key();
        if (key != Qt::Key_Space && key != Qt::Key_Select)
            return false;
        toggle(model, index);
        return true;
    }
    default:
        return false;
    }
}

void CalendarCheckBoxDelegate::toggle(QAbstractItemModel* model, const QModelIndex& index) {
    const bool checked = index.data(Qt::CheckStateRole).toInt() == Qt::Checked;
    model->setData(index, checked ? Qt::Unchecked : Qt::Checked, Qt::CheckStateRole);
}
