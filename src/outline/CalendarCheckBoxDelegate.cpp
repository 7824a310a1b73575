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

constexpr int TEXT_MARGIN = 4;

QFont statusFont(const QFont& font) {
    QFont small = font;
    small.setPointSizeF(font.pointSizeF() * 0.8);
    return small;
}

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
    const QString status = index.data(CalendarsOutlineModel::SyncStatusRole).toString();
    if (status.isEmpty()) {
        QStyledItemDelegate::paint(painter, heading, index);
        return;
    }
    // An account: its name over its status, both in the heading's colour.
    heading.text.clear();
    const QWidget* widget = option.widget;
    QStyle* style = widget ? widget->style() : QApplication::style();
    style->drawControl(QStyle::CE_ItemViewItem, &heading, painter, widget);
    painter->save();
    const QRect text = option.rect.adjusted(TEXT_MARGIN, 0, -TEXT_MARGIN, 0);
    const QRect nameRect(text.left(), text.top(), text.width(), text.height() / 2);
    const QRect statusRect(text.left(), nameRect.bottom() + 1, text.width(),
                           text.height() - nameRect.height());
    const QColor color = option.state & QStyle::State_Selected
                             ? textColor(option)
                             : option.palette.color(QPalette::PlaceholderText);
    painter->setPen(color);
    painter->setFont(heading.font);
    painter->drawText(
        nameRect, Qt::AlignBottom | Qt::AlignLeft,
        QFontMetrics(heading.font).elidedText(index.data().toString(), Qt::ElideRight, text.width()));
    const QFont small = statusFont(option.font);
    painter->setFont(small);
    painter->drawText(statusRect, Qt::AlignTop | Qt::AlignLeft,
                      QFontMetrics(small).elidedText(status, Qt::ElideRight, text.width()));
    painter->restore();
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
        const QFont small = statusFont(option.font);
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
    if (!index.data(CalendarsOutlineModel::SyncStatusRole).toString().isEmpty())
        size.rheight() += QFontMetrics(statusFont(option.font)).height() + 2;
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
