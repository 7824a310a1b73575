#include "TextLabel.h"

#include <QPainter>
#include <QTextOption>

#include <algorithm>

TextLabel::TextLabel(const QString& text, const QFont& font, const QList<QTextLayout::FormatRange>& formats,
                     const QSizeF& containerSize)
    // QTextLayout breaks lines only at the Unicode line separator, not at '\n'.
    : m_layout(std::make_unique<QTextLayout>(QString(text).replace(u'\n', QChar::LineSeparator), font)) {
    QTextOption option;
    option.setWrapMode(QTextOption::WrapAtWordBoundaryOrAnywhere);
    m_layout->setTextOption(option);
    m_layout->setFormats(formats);
    m_layout->setCacheEnabled(true);

    const double lineWidth = containerSize.width() - 2 * LINE_PADDING;
    double width = 0, height = 0;
    m_layout->beginLayout();
    for (QTextLine line = m_layout->createLine(); line.isValid(); line = m_layout->createLine()) {
        line.setLineWidth(lineWidth);
        if (height + line.height() > containerSize.height())
            break;
        line.setPosition(QPointF(LINE_PADDING, height));
        height += line.height();
        width = std::max(width, line.naturalTextWidth());
        ++m_lineCount;
    }
    m_layout->endLayout();
    m_boundingSize = m_lineCount ? QSizeF(width + 2 * LINE_PADDING, height) : QSizeF();
}

void TextLabel::drawAtPoint(QPainter& painter, const QPointF& point) const {
    for (int i = 0; i < m_lineCount; ++i)
        m_layout->lineAt(i).draw(&painter, point);
}

void TextLabel::drawAtPoint(QPainter& painter, const QPointF& point, const QColor& color) const {
    const QPen pen = painter.pen();
    painter.setPen(color);
    drawAtPoint(painter, point);
    painter.setPen(pen);
}
