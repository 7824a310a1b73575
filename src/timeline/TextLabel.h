#pragma once

#include <QColor>
#include <QList>
#include <QPointF>
#include <QSizeF>
#include <QString>
#include <QTextLayout>

#include <memory>

class QPainter;

// A text with font runs, laid out in a container of fixed size. Lines wrap at the container's width less
// a padding of LINE_PADDING at each end; lines that do not fit the container's height are neither laid
// out nor drawn.
class TextLabel {
public:
    static constexpr double LINE_PADDING = 5.0;

    TextLabel(const QString& text, const QFont& font, const QList<QTextLayout::FormatRange>& formats,
              const QSizeF& containerSize = QSizeF(4096, 4096));

    QString attributedString() const { return m_layout->text(); }
    // The area the laid-out lines use, padding included.
    QSizeF boundingSize() const { return m_boundingSize; }
    // Draws in the painter's pen colour with the top left of the container at `point`.
    void drawAtPoint(QPainter& painter, const QPointF& point) const;
    // The same, in `color` for this drawing only.
    void drawAtPoint(QPainter& painter, const QPointF& point, const QColor& color) const;

private:
    std::unique_ptr<QTextLayout> m_layout; // QTextLayout is neither copyable nor movable
    int m_lineCount = 0;
    QSizeF m_boundingSize;
};
