// The editor's grid: column widths, row heights, hidden views and the grid's own size.
#include "editing/GridView.h"

#include "base/InternalInconsistency.h"

#include <QLabel>

#include <gtest/gtest.h>

namespace {

QWidget* box(int width, int height) {
    auto* view = new QWidget;
    view->resize(width, height);
    return view;
}

TEST(GridView, ColumnsTakeTheirWidestCellWithMarginsAndTheGridFitsItsContent) {
    GridView grid;
    grid.setHorizontalMargin(2);
    QWidget* first = box(50, 20);
    QWidget* second = box(30, 10);
    grid.setView(first, 0, 0);
    grid.setLeftMargin(5, 0, 0);
    grid.setView(second, 0, 1);
    grid.layout();
    EXPECT_EQ(first->pos(), QPoint(5, 0));
    EXPECT_EQ(second->pos(), QPoint(2 + 55, 0));
    EXPECT_EQ(grid.size(), QSize(2 + 55 + 2 + 30, 20));

    // A wider view in a later row widens the column for every row.
    QWidget* wide = box(80, 15);
    grid.setView(wide, 1, 0);
    grid.setTopMargin(4, 1, 0);
    EXPECT_EQ(second->pos(), QPoint(2 + 80, 0));
    EXPECT_EQ(wide->pos(), QPoint(0, 20 + 4));
    EXPECT_EQ(grid.size(), QSize(2 + 80 + 2 + 30, 20 + 4 + 15));
}

TEST(GridView, HiddenAndResizedViewsLayTheGridOutAgain) {
    GridView grid;
    grid.show(); // widgets not shown hear of their resizing only when they are
    grid.setVerticalMargin(3);
    QWidget* top = box(40, 10);
    QWidget* middle = box(40, 20);
    QWidget* bottom = box(40, 30);
    grid.setView(top, 0, 0);
    grid.setView(middle, 1, 0);
    grid.setView(bottom, 2, 0);
    EXPECT_EQ(bottom->y(), 10 + 3 + 20 + 3);
    EXPECT_EQ(grid.height(), 10 + 3 + 20 + 3 + 30 + 3);

    QSize announced;
    QObject::connect(&grid, &GridView::sizeChanged, [&](QSize size) { announced = size; });
    middle->hide();
    EXPECT_EQ(bottom->y(), 10 + 3 + 0 + 3);
    EXPECT_EQ(grid.height(), 10 + 3 + 3 + 30 + 3);
    EXPECT_EQ(announced, grid.size());

    middle->show();
    middle->resize(60, 50);
    EXPECT_EQ(bottom->y(), 10 + 3 + 50 + 3);
    EXPECT_EQ(grid.width(), 60);
}

TEST(GridView, EmptyRowsCountAndEmptyGridsAreTheirMargins) {
    GridView grid;
    grid.setVerticalMargin(4);
    grid.setHorizontalMargin(6);
    grid.layout();
    EXPECT_EQ(grid.size(), QSize(6, 4));

    QWidget* late = box(10, 10);
    grid.setView(late, 3, 0);
    EXPECT_EQ(grid.numberOfRows(), 4);
    EXPECT_EQ(late->y(), 3 * 4);
    EXPECT_EQ(grid.size(), QSize(10 + 6, 3 * 4 + 10 + 4));
}

TEST(GridView, ANewViewInACellStartsWithoutMarginsAndBadCellsAreRefused) {
    GridView grid;
    grid.setView(box(10, 10), 0, 0);
    grid.setTopMargin(7, 0, 0);
    grid.setLeftMargin(9, 0, 0);
    QWidget* replacement = box(10, 10);
    grid.setView(replacement, 0, 0);
    EXPECT_EQ(replacement->pos(), QPoint(0, 0));
    EXPECT_EQ(grid.size(), QSize(10, 10));

    EXPECT_THROW(grid.setTopMargin(1, 1, 0), InternalInconsistency);
    EXPECT_THROW(grid.setLeftMargin(1, 0, 1), InternalInconsistency);
    EXPECT_THROW(grid.setView(nullptr, 0, 0), InternalInconsistency);
}

TEST(GridView, NestedGridsFollowEachOther) {
    GridView outer;
    outer.show();
    auto* inner = new GridView;
    auto* label = new QLabel(QStringLiteral("x"));
    label->resize(20, 10);
    inner->setView(label, 0, 0);
    outer.setView(inner, 0, 0);
    outer.setView(box(5, 5), 1, 0);
    EXPECT_EQ(outer.height(), 10 + 5);

    label->resize(20, 40);
    EXPECT_EQ(inner->height(), 40);
    EXPECT_EQ(outer.height(), 40 + 5);

    outer.clear();
    outer.layout();
    EXPECT_EQ(outer.numberOfRows(), 0);
    EXPECT_EQ(outer.size(), QSize(0, 0));
}

} // namespace
