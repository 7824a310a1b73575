#include "CalendarColorButton.h"

#include <QColorDialog>
#include <QPainter>
#include <QPixmap>

namespace {

constexpr QSize SWATCH_SIZE(36, 14);

} // namespace

CalendarColorButton::CalendarColorButton(QWidget* parent) : QPushButton(parent) {
    setIconSize(SWATCH_SIZE);
    setAutoDefault(false);
    setColor(QColor(0x3A, 0x6E, 0xA5));
    connect(this, &QPushButton::clicked, this, &CalendarColorButton::chooseColor);
}

void CalendarColorButton::setColor(const QColor& color) {
    if (color == m_color)
        return;
    m_color = color;
    QPixmap swatch(SWATCH_SIZE * devicePixelRatioF());
    swatch.setDevicePixelRatio(devicePixelRatioF());
    swatch.fill(Qt::transparent);
    QPainter painter(&swatch);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(QPen(color.darker(130), 1));
    painter.setBrush(color);
    painter.drawRoundedRect(QRectF(0.5, 0.5, SWATCH_SIZE.width() - 1.0, SWATCH_SIZE.height() - 1.0), 3, 3);
    painter.end();
    setIcon(swatch);
    setAccessibleDescription(color.name());
}

void CalendarColorButton::chooseColor() {
    auto* dialog = new QColorDialog(m_color, this);
    dialog->setAttribute(Qt::WA_DeleteOnClose);
    dialog->setWindowTitle(tr("Calendar Color"));
    dialog->setAccessibleName(tr("Calendar color"));
    connect(dialog, &QColorDialog::colorSelected, this, &CalendarColorButton::setColor);
    dialog->open();
}
