#include "StatusDescriptionController.h"

#include "store/ApplicationModel.h"

StatusDescriptionController::StatusDescriptionController(ApplicationModel& model, QObject* parent)
    : QObject(parent), m_model(model), m_statusDescription(describe()) {
    connect(&m_model, &ApplicationModel::calendarsChanged, this, &StatusDescriptionController::update);
    connect(&m_model, &ApplicationModel::enabledCalendarUidsChanged, this,
            &StatusDescriptionController::update);
}

QString StatusDescriptionController::describe() const {
    const qsizetype enabled = m_model.enabledCalendarUids().size();
    const qsizetype total = m_model.calendars().size();
    if (enabled == total)
        return tr("showing all calendars");
    return tr("showing %1 of %2 calendars").arg(enabled).arg(total);
}

void StatusDescriptionController::update() {
    const QString description = describe();
    if (description == m_statusDescription)
        return;
    m_statusDescription = description;
    emit statusDescriptionChanged(description);
}
