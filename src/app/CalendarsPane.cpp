#include "CalendarsPane.h"

#include "outline/CalendarsOutlineController.h"
#include "outline/StatusDescriptionController.h"

#include <QLabel>
#include <QTreeView>
#include <QVBoxLayout>

CalendarsPane::CalendarsPane(CalendarsOutlineController& outline, StatusDescriptionController& status,
                             QWidget* parent)
    : QWidget(parent) {
    auto* label = new QLabel(status.statusDescription());
    label->setAccessibleName(tr("Calendars shown"));
    label->setContentsMargins(6, 2, 6, 4);
    QFont small = label->font();
    small.setPointSizeF(small.pointSizeF() * 0.9);
    label->setFont(small);
    connect(&status, &StatusDescriptionController::statusDescriptionChanged, label, &QLabel::setText);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addWidget(outline.view());
    layout->addWidget(label);
}
