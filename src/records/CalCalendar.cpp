#include "CalCalendar.h"

std::shared_ptr<CalCalendar> CalCalendar::calendar() {
    return std::make_shared<CalCalendar>();
}

std::shared_ptr<CalCalendar> CalCalendar::copy() const {
    return std::make_shared<CalCalendar>(*this);
}
