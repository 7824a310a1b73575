#include "CalEvent.h"

std::shared_ptr<CalEvent> CalEvent::event() {
    return std::make_shared<CalEvent>();
}

std::shared_ptr<CalEvent> CalEvent::copy() const {
    auto result = std::make_shared<CalEvent>(*this);
    if (recurrenceRule)
        result->recurrenceRule = recurrenceRule->copy();
    for (auto& alarm : result->alarms)
        alarm = alarm->copy();
    return result;
}
