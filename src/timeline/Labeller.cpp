#include "Labeller.h"

#include "dates/DateFormatter.h"
#include "timelineSettings.h"

#include <QPainter>

namespace {

QFont bold(QFont font) {
    font.setBold(true);
    return font;
}

} // namespace

Labeller::Labeller(double fontSize, float rowOffset, Alignment alignment)
    : m_font(timelineFont(fontSize)), m_metrics(m_font), m_boldFont(bold(m_font)), m_boldMetrics(m_boldFont),
      m_rowOffset(rowOffset), m_alignment(alignment), m_dateFormatter(std::make_shared<DateFormatter>()) {}

Labeller::~Labeller() = default;

bool Labeller::doesLabelFitForInterval(const EnumeratedInterval& interval, float startPosition,
                                       float endPosition) const {
    return endPosition - startPosition > labelWidth(labelForInterval(interval));
}

void Labeller::drawLabelForInterval(QPainter& painter, const EnumeratedInterval& interval, float lineY,
                                    float startPosition, float endPosition, bool emphasized) const {
    // A label centred on the start boundary of a cut interval would mark a boundary that is not there.
    if (m_alignment == Alignment::AtStart && interval.clippedStart)
        return;
    const QString label = labelForInterval(interval);
    const QFontMetricsF& metrics = emphasized ? m_boldMetrics : m_metrics;
    const double width = metrics.horizontalAdvance(label);
    const double left = m_alignment == Alignment::AtStart ? startPosition - width / 2
                                                          : (startPosition + endPosition) / 2 - width / 2;
    painter.setFont(emphasized ? m_boldFont : m_font);
    painter.setPen(colorForInterval(interval));
    painter.drawText(QPointF(left, rowTop(lineY) + metrics.ascent()), label);
}

QColor Labeller::colorForInterval(const EnumeratedInterval&) const {
    return m_colors.text;
}
