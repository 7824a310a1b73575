#pragma once

#include "EnumeratedInterval.h"
#include "TimelineColors.h"

#include <QColor>
#include <QFont>
#include <QFontMetricsF>
#include <QString>

#include <memory>

class DateFormatter;
class QPainter;

// Draws one label for a calendar interval in a row above the time line, either centred on the
// interval or centred on its start boundary.
class Labeller {
public:
    enum class Alignment { AtStart, Centred };

    virtual ~Labeller();
    Labeller(const Labeller&) = delete;
    Labeller& operator=(const Labeller&) = delete;

    const std::shared_ptr<DateFormatter>& dateFormatter() const { return m_dateFormatter; }
    void setDateFormatter(std::shared_ptr<DateFormatter> formatter) {
        m_dateFormatter = std::move(formatter);
    }
    void setColors(const TimelineColors& colors) { m_colors = colors; }
    const QFont& font() const { return m_font; }
    double labelWidth(const QString& label) const { return m_metrics.horizontalAdvance(label); }
    // The top of this labeller's text for a time line at `lineY`.
    float rowTop(float lineY) const { return lineY - m_rowOffset; }

    virtual QString labelForInterval(const EnumeratedInterval& interval) const = 0;
    // Strictly wider than the text in the regular weight, so that emphasis never changes which labels show.
    virtual bool doesLabelFitForInterval(const EnumeratedInterval& interval, float startPosition,
                                         float endPosition) const;
    // `emphasized`: in bold, for the current day.
    virtual void drawLabelForInterval(QPainter& painter, const EnumeratedInterval& interval, float lineY,
                                      float startPosition, float endPosition, bool emphasized) const;

protected:
    // `rowOffset`: how far above the line the text's top lies.
    Labeller(double fontSize, float rowOffset, Alignment alignment);
    virtual QColor colorForInterval(const EnumeratedInterval& interval) const;
    const DateFormatter& formatter() const { return *m_dateFormatter; }
    const TimelineColors& colors() const { return m_colors; }

private:
    QFont m_font;
    QFontMetricsF m_metrics;
    QFont m_boldFont;
    QFontMetricsF m_boldMetrics;
    float m_rowOffset;
    Alignment m_alignment;
    std::shared_ptr<DateFormatter> m_dateFormatter;
    TimelineColors m_colors = TimelineColors::light();
};
