#include "ToggleMatrix.h"

#include "base/InternalInconsistency.h"

#include <QEvent>
#include <QGridLayout>
#include <QKeyEvent>
#include <QToolButton>

#include <algorithm>

ToggleMatrix::ToggleMatrix(int rows, int columns, int count, QWidget* parent)
    : QWidget(parent), m_rows(rows), m_columns(columns) {
    VL_ASSERT(rows > 0 && columns > 0 && count > 0 && count <= rows * columns,
              QStringLiteral("matrix of %1 cells in %2 x %3").arg(count).arg(rows).arg(columns));
    // The style's sunken look of a checked tool button is hard to tell from a raised one; cells that are
    // on take the selection colours instead.
    setStyleSheet(QStringLiteral(
        "QToolButton { border: 1px solid palette(mid); border-radius: 3px; background: palette(button);"
        " padding: 3px; }"
        "QToolButton:checked { background: palette(highlight); color: palette(highlighted-text); }"
        "QToolButton:focus { border: 2px solid palette(dark); }"
        "QToolButton:disabled { color: palette(mid); }"
        "QToolButton:checked:disabled { background: palette(midlight); color: palette(button-text); }"));
    auto* grid = new QGridLayout(this);
    grid->setContentsMargins(0, 0, 0, 0);
    grid->setSpacing(2);
    for (int index = 0; index < count; ++index) {
        auto* cell = new QToolButton(this);
        cell->setCheckable(true);
        cell->setToolButtonStyle(Qt::ToolButtonTextOnly);
        cell->installEventFilter(this);
        connect(cell, &QToolButton::clicked, this, [this, index] { cellWasClicked(index); });
        grid->addWidget(cell, rowOf(index), columnOf(index));
        m_cells.append(cell);
    }
    makeTabStop(0);
}

QToolButton* ToggleMatrix::cell(int row, int column) const {
    if (row < 0 || row >= m_rows || column < 0 || column >= m_columns)
        return nullptr;
    return cellAt(row * m_columns + column);
}

QToolButton* ToggleMatrix::cellAt(int index) const {
    return index >= 0 && index < m_cells.size() ? m_cells[index] : nullptr;
}

void ToggleMatrix::setCellTitle(int index, const QString& title, const QString& accessibleName) {
    QToolButton* cell = cellAt(index);
    VL_ASSERT(cell, QStringLiteral("cell %1 in matrix").arg(index));
    const QString name = accessibleName.isEmpty() ? title : accessibleName;
    cell->setText(title);
    cell->setAccessibleName(name);
    cell->setToolTip(name);
}

void ToggleMatrix::sizeCellsToFit() {
    QSize size(0, 0);
    for (QToolButton* cell : std::as_const(m_cells))
        size = size.expandedTo(cell->sizeHint());
    size.setWidth(std::max(size.width(), size.height()));
    for (QToolButton* cell : std::as_const(m_cells))
        cell->setFixedSize(size);
}

void ToggleMatrix::clear() {
    for (QToolButton* cell : std::as_const(m_cells))
        cell->setChecked(false);
}

void ToggleMatrix::setOn(int index, bool on) {
    if (QToolButton* cell = cellAt(index))
        cell->setChecked(on);
}

bool ToggleMatrix::isOn(int index) const {
    const QToolButton* cell = cellAt(index);
    return cell && cell->isChecked();
}

int ToggleMatrix::numberOfEnabledCells() const {
    return int(
        std::count_if(m_cells.cbegin(), m_cells.cend(), [](const QToolButton* c) { return c->isChecked(); }));
}

QList<int> ToggleMatrix::onCells() const {
    QList<int> indices;
    for (int index = 0; index < m_cells.size(); ++index) {
        if (m_cells[index]->isChecked())
            indices.append(index);
    }
    return indices;
}

void ToggleMatrix::cellWasClicked(int index) {
    if (numberOfEnabledCells() == 0)
        m_cells[index]->setChecked(true);
    emit cellClicked(index);
}

void ToggleMatrix::makeTabStop(int index) {
    for (int other = 0; other < m_cells.size(); ++other)
        m_cells[other]->setFocusPolicy(other == index ? Qt::StrongFocus : Qt::ClickFocus);
    setFocusProxy(m_cells[index]);
}

bool ToggleMatrix::eventFilter(QObject* watched, QEvent* event) {
    const int index = int(m_cells.indexOf(static_cast<QToolButton*>(watched)));
    if (index < 0)
        return QWidget::eventFilter(watched, event);
    if (event->type() == QEvent::FocusIn) {
        makeTabStop(index);
    } else if (event->type() == QEvent::KeyPress) {
        const auto* key = static_cast<QKeyEvent*>(event);
        int row = rowOf(index);
        int column = columnOf(index);
        switch (key->key()) {
        case Qt::Key_Left:
            --column;
            break;
        case Qt::Key_Right:
            ++column;
            break;
        case Qt::Key_Up:
            --row;
            break;
        case Qt::Key_Down:
            ++row;
            break;
        default:
            return QWidget::eventFilter(watched, event);
        }
        if (QToolButton* next = cell(row, column))
            next->setFocus(Qt::OtherFocusReason);
        return true; // at an edge the focus stays
    }
    return QWidget::eventFilter(watched, event);
}
