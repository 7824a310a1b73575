#include "TimeIntervalPicker.h"

#include "GridView.h"

#include <QComboBox>
#include <QLabel>
#include <QSignalBlocker>
#include <QSpinBox>

#include <algorithm>
#include <cmath>
#include <limits>

namespace {

constexpr double SECONDS_PER_UNIT[] = {1, 60, 3600, 86400};

// The largest unit that holds the interval whole.
TimeIntervalPicker::Unit unitFor(double seconds) {
    for (const auto unit :
         {TimeIntervalPicker::Days, TimeIntervalPicker::Hours, TimeIntervalPicker::Minutes}) {
        if (std::fmod(seconds, SECONDS_PER_UNIT[unit]) == 0)
            return unit;
    }
    return TimeIntervalPicker::Seconds;
}

} // namespace

TimeIntervalPicker::TimeIntervalPicker(QWidget* parent)
    : QWidget(parent), m_gridView(new GridView(this)), m_unitButton(new QComboBox),
      m_valueField(new QSpinBox), m_label(new QLabel(tr("before"))) {
    m_valueField->setRange(0, std::numeric_limits<qint32>::max());
    m_valueField->setAlignment(Qt::AlignRight);
    // Committed on Return or when the field loses focus, not at every digit typed.
    m_valueField->setKeyboardTracking(false);
    m_valueField->setAccessibleName(tr("Alarm time"));
    // Wide enough for a few digits; the largest count would make the field absurdly wide.
    const int maximum = m_valueField->maximum();
    m_valueField->setMaximum(99999);
    m_valueField->resize(m_valueField->sizeHint());
    m_valueField->setMaximum(maximum);

    m_unitButton->addItems({tr("Seconds"), tr("Minutes"), tr("Hours"), tr("Days")});
    m_unitButton->setAccessibleName(tr("Alarm time unit"));
    m_unitButton->resize(m_unitButton->sizeHint());

    // As wide as the wider text, so that the picker keeps its size when the direction changes.
    const QFontMetrics metrics = m_label->fontMetrics();
    m_label->resize(std::max(metrics.horizontalAdvance(tr("before")), metrics.horizontalAdvance(tr("after"))),
                    m_label->sizeHint().height());

    m_gridView->setView(m_valueField, 0, 0);
    m_gridView->setView(m_unitButton, 0, 1);
    m_gridView->setLeftMargin(5, 0, 1);
    m_gridView->setView(m_label, 0, 2);
    m_gridView->setTopMargin(3, 0, 2);
    m_gridView->setLeftMargin(2, 0, 2);
    setTimeInterval(0);

    connect(m_unitButton, &QComboBox::activated, this, &TimeIntervalPicker::userChanged);
    connect(m_valueField, &QSpinBox::valueChanged, this, &TimeIntervalPicker::userChanged);
    connect(m_gridView, &GridView::sizeChanged, this, [this](QSize size) {
        resize(size);
        updateGeometry();
    });
    resize(m_gridView->size());
}

void TimeIntervalPicker::setTimeInterval(double seconds) {
    m_timeInterval = seconds;
    const Unit unit = seconds == 0 ? Seconds : unitFor(seconds);
    const QSignalBlocker blocker(m_valueField);
    m_unitButton->setCurrentIndex(unit);
    m_valueField->setValue(int(std::lround(std::abs(seconds) / SECONDS_PER_UNIT[unit])));
    showDirection();
}

TimeIntervalPicker::Unit TimeIntervalPicker::unit() const {
    return Unit(m_unitButton->currentIndex());
}

int TimeIntervalPicker::timeIntervalValue() const {
    return m_valueField->value();
}

QSize TimeIntervalPicker::sizeHint() const {
    return m_gridView->sizeHint();
}

void TimeIntervalPicker::userChanged() {
    // Kept in the unit the user chose rather than shown again in the largest one, which would change the
    // field under the user's hands.
    m_timeInterval = -double(timeIntervalValue()) * SECONDS_PER_UNIT[unit()];
    showDirection();
    emit timeIntervalChanged(m_timeInterval);
}

void TimeIntervalPicker::showDirection() {
    // Less than a second after the start still counts as at the start.
    m_label->setText(m_timeInterval < 1 ? tr("before") : tr("after"));
}
