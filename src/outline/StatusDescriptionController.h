#pragma once

#include <QObject>
#include <QString>

class ApplicationModel;

// The line under the calendars outline that tells how many calendars are switched on.
class StatusDescriptionController : public QObject {
    Q_OBJECT
public:
    explicit StatusDescriptionController(ApplicationModel& model, QObject* parent = nullptr);

    QString statusDescription() const { return m_statusDescription; }

signals:
    void statusDescriptionChanged(const QString& statusDescription);

private:
    QString describe() const;
    void update();

    ApplicationModel& m_model;
    QString m_statusDescription;
};
