#pragma once

#include "store/BaseCalendarController.h"
#include "store/CalendarStoreController.h"

// The helper's calendar controller: it only adds new events, saving them straight to the store (all
// occurrences); failures are shown in alerts.
class VelHelperCalendarController : public BaseCalendarController {
    Q_OBJECT
public:
    VelHelperCalendarController(ApplicationModel& model, CalendarStoreController& storeController,
                                QObject* parent = nullptr);

    void addEvent(const CalEvent& event) override;
    // The helper never edits events it did not create; refused.
    bool replaceEvent(const std::shared_ptr<CalEvent>& oldEvent, const CalEvent& newEvent) override;
    UserInteraction& userInteraction() const override { return m_storeController.userInteraction(); }
    // The store's calendars, in store order.
    CalendarList loadAllCalendars();

private:
    CalendarStoreController& m_storeController;
};
