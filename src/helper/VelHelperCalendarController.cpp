#include "VelHelperCalendarController.h"

VelHelperCalendarController::VelHelperCalendarController(ApplicationModel& model,
                                                         CalendarStoreController& storeController,
                                                         QObject* parent)
    : BaseCalendarController(model, parent), m_storeController(storeController) {}

void VelHelperCalendarController::addEvent(const CalEvent& event) {
    m_storeController.saveEvent(event, CalSpan::AllEvents);
}

bool VelHelperCalendarController::replaceEvent(const std::shared_ptr<CalEvent>&, const CalEvent&) {
    return false;
}

CalendarList VelHelperCalendarController::loadAllCalendars() {
    return m_storeController.loadAllCalendars();
}
