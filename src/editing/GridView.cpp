#include "GridView.h"

#include "base/InternalInconsistency.h"
#include "base/Logger.h"

#include <QEvent>
#include <QPaintEvent>
#include <QPainter>

#include <algorithm>
#include <cmath>

GridView::GridView(QWidget* parent) : QWidget(parent) {}

GridView::~GridView() {
    // The views go with the grid as its children; only the watching stops here.
    for (auto view = m_margins.keyBegin(); view != m_margins.keyEnd(); ++view)
        (*view)->removeEventFilter(this);
}

void GridView::setView(QWidget* view, int row, int column) {
    VL_ASSERT(view, QStringLiteral("aView"));
    while (m_rows.size() <= row)
        m_rows.append(QList<QPointer<QWidget>>());
    QList<QPointer<QWidget>>& cells = m_rows[row];
    while (cells.size() <= column)
        cells.append(nullptr);
    if (QWidget* old = cells[column]; old && old != view)
        removeView(old);
    cells[column] = view;
    addView(view);
    m_dirty = true;
    layout();
}

void GridView::addView(QWidget* view) {
    if (view->parentWidget() != this) {
        view->setParent(this);
        view->show();
    }
    // Fresh margins, whatever the view had before: margins are set after placing.
    m_margins[view] = Margins{};
    view->installEventFilter(this);
}

void GridView::removeView(QWidget* view) {
    m_margins.remove(view);
    view->removeEventFilter(this);
    view->hide();
    view->setParent(nullptr);
    view->deleteLater();
}

void GridView::setTopMargin(double margin, int row, int column) {
    setMargin(margin, Side::Top, row, column);
}

void GridView::setLeftMargin(double margin, int row, int column) {
    setMargin(margin, Side::Left, row, column);
}

void GridView::setMargin(double margin, Side side, int row, int column) {
    VL_ASSERT(row >= 0, QStringLiteral("rowIndex >= 0"));
    VL_ASSERT(row < m_rows.size(), QStringLiteral("rowIndex < rows.count"));
    VL_ASSERT(column >= 0, QStringLiteral("columnIndex >= 0"));
    VL_ASSERT(column < m_rows[row].size(), QStringLiteral("columnIndex < row.count"));
    if (QWidget* view = m_rows[row][column]) {
        Margins& margins = m_margins[view];
        (side == Side::Top ? margins.top : margins.left) = margin;
    }
    m_dirty = true;
    layout();
}

void GridView::clear() {
    for (const auto& cells : std::as_const(m_rows)) {
        for (QWidget* view : cells) {
            if (view)
                removeView(view);
        }
    }
    m_rows.clear();
    m_dirty = true;
    update();
}

void GridView::setVerticalMargin(double margin) {
    m_verticalMargin = margin;
    m_dirty = true;
}

void GridView::setHorizontalMargin(double margin) {
    m_horizontalMargin = margin;
    m_dirty = true;
}

void GridView::setColor(std::optional<QColor> color) {
    m_color = std::move(color);
    update();
}

void GridView::layoutIfNeeded() {
    if (m_dirty)
        layout();
}

void GridView::layout() {
    const auto shown = [](const QWidget* view) { return view && !view->isHidden(); };
    QList<double> widths;
    for (const auto& cells : std::as_const(m_rows)) {
        for (int c = 0; c < cells.size(); ++c) {
            if (widths.size() <= c)
                widths.append(0);
            if (!shown(cells[c]))
                continue;
            VL_ASSERT(m_margins.contains(cells[c]), QStringLiteral("properties"));
            widths[c] = std::max(widths[c], double(float(m_margins[cells[c]].left + cells[c]->width())));
        }
    }
    if (m_trace) {
        QStringList texts;
        for (double width : std::as_const(widths))
            texts.append(QString::number(width));
        VL_LOG(LOTHER, Logger::LOG_INFO_LEVEL,
               QStringLiteral("%1: column widths (%2)").arg(m_name, texts.join(QStringLiteral(", "))));
    }
    QList<double> xs{0};
    for (double width : std::as_const(widths))
        xs.append(xs.back() + m_horizontalMargin + width);

    double y = 0;
    for (int r = 0; r < m_rows.size(); ++r) {
        double height = 0;
        const auto& cells = m_rows[r];
        for (int c = 0; c < cells.size(); ++c) {
            QWidget* view = cells[c];
            if (!shown(view))
                continue;
            const Margins& margins = m_margins[view];
            const QPointF origin(xs[c] + margins.left, y + margins.top);
            view->move(int(std::lround(origin.x())), int(std::lround(origin.y())));
            view->update();
            height = std::max(height, margins.top + view->height());
            if (m_trace)
                VL_LOG(LOTHER, Logger::LOG_INFO_LEVEL,
                       QStringLiteral("row %1 column %2: x=%3, y=%4")
                           .arg(r)
                           .arg(c)
                           .arg(origin.x())
                           .arg(origin.y()));
        }
        y += height;
        if (r + 1 < m_rows.size())
            y += m_verticalMargin;
    }
    const double width = widths.isEmpty() ? m_horizontalMargin : xs.back();
    const QSize size(int(std::ceil(width)), int(std::ceil(y + m_verticalMargin)));
    m_dirty = false;
    update();
    if (size != m_size) {
        m_size = size;
        resize(size);
        updateGeometry();
        emit sizeChanged(size);
    }
}

QSize GridView::sizeHint() const {
    return m_size;
}

void GridView::changed() {
    m_dirty = true;
    update();
    layout();
}

bool GridView::eventFilter(QObject* watched, QEvent* event) {
    switch (event->type()) {
    case QEvent::ShowToParent:
    case QEvent::HideToParent:
    case QEvent::Resize:
        if (m_margins.contains(static_cast<QWidget*>(watched)))
            changed();
        break;
    default:
        break;
    }
    return QWidget::eventFilter(watched, event);
}

void GridView::paintEvent(QPaintEvent* event) {
    if (m_dirty)
        layout();
    if (m_color) {
        QPainter painter(this);
        painter.fillRect(event->rect(), *m_color);
    }
}
