#include "CalEvent.h"

std::shared_ptr<CalEvent> CalEvent::event() {
    return std::make_shared<CalEvent>();
}

void CalEvent::assignEditableFields(const CalEvent& source) {
    title = source.title;
    location = source.location;
    notes = source.notes;
    url = source.url;
    alarms = source.alarms;
    isAllDay = source.isAllDay;
    recurrenceRule = source.recurrenceRule;
    attendees = source.attendees;
}

std::shared_ptr<CalEvent> CalEvent::copy() const {
    auto result = std::make_shared<CalEvent>(*this);
    if (recurrenceRule)
        result->recurrenceRule = recurrenceRule->copy();
    // Walking the list for writing would give even an empty one storage of its own.
    if (!alarms.isEmpty()) {
        for (auto& alarm : result->alarms)
            alarm = alarm->copy();
    }
    return result;
}
