#pragma once

#include "records/CalEvent.h"

#include <QObject>

#include <memory>

class ApplicationModel;

// What the application's and the helper's calendar controllers share: the model, and the default event.
class BaseCalendarController : public QObject {
    Q_OBJECT
public:
    explicit BaseCalendarController(ApplicationModel& model, QObject* parent = nullptr);

    ApplicationModel& applicationModel() const { return m_model; }

    // Unsaved, with a uid of its own: today 12:00 to 13:00, "New Event", in the selected calendar when that
    // is editable, else in the first calendar, else in none.
    std::shared_ptr<CalEvent> createNewEvent() const;

private:
    ApplicationModel& m_model;
};
