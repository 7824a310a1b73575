#pragma once

#include <QList>
#include <QString>
#include <QWidget>

class QToolButton;

// A grid of on/off cells, numbered row by row from 0, as the custom recurrence panel's weekday, day and
// month matrices. At least one cell stays on: a click that switches off the last cell that was on switches
// it on again. The matrix is one stop in the Tab chain (the cell that last had the focus, at first cell
// 0); the arrow keys move between its cells and Space toggles the focused one.
class ToggleMatrix : public QWidget {
    Q_OBJECT
public:
    // `count` cells (at most rows × columns) in `rows` rows of `columns` cells.
    ToggleMatrix(int rows, int columns, int count, QWidget* parent = nullptr);

    int rows() const { return m_rows; }
    int columns() const { return m_columns; }
    int count() const { return int(m_cells.size()); }
    // Null outside the matrix.
    QToolButton* cell(int row, int column) const;
    QToolButton* cellAt(int index) const;
    int rowOf(int index) const { return index / m_columns; }
    int columnOf(int index) const { return index % m_columns; }

    // Titles the cell; the accessible name (a weekday's or month's full name) and tool tip default to the
    // title. Call sizeCellsToFit() after titling.
    void setCellTitle(int index, const QString& title, const QString& accessibleName = QString());
    // Gives every cell the size of the largest one, at least square.
    void sizeCellsToFit();

    void clear(); // every cell off
    void setOn(int index, bool on);
    bool isOn(int index) const;
    int numberOfEnabledCells() const; // cells that are on
    QList<int> onCells() const;       // indices of the cells that are on, ascending

signals:
    // After a click on a cell, once the at-least-one rule is applied.
    void cellClicked(int index);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void makeTabStop(int index);
    void cellWasClicked(int index);

    int m_rows;
    int m_columns;
    QList<QToolButton*> m_cells;
};
