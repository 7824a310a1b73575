#pragma once

#include <QDateTime>

// Shows a date moved by an offset and takes a shown date back: an all-day event's end is stored as the
// midnight after its last day and shown, one second earlier, as that last day.
class DateOffsetValueTransformer {
public:
    double offset() const { return m_offset; }
    void setOffset(double seconds) { m_offset = seconds; }
    QDateTime transformedValue(const QDateTime& date) const { return date.addMSecs(qint64(m_offset * 1000)); }
    QDateTime reverseTransformedValue(const QDateTime& date) const {
        return date.addMSecs(-qint64(m_offset * 1000));
    }

private:
    double m_offset = 0;
};
