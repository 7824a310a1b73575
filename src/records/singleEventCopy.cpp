#include "singleEventCopy.h"

#include <QUuid>

std::shared_ptr<CalEvent> singleEventCopy(const CalEvent& event) {
    auto result = event.copy();
    result->uid = QUuid::createUuid().toString(QUuid::WithoutBraces);
    result->occurrence = QDateTime();
    result->isDetached = false;
    result->recurrenceRule = nullptr;
    result->attendees.clear();
    result->organizer.reset();
    result->source = nullptr;
    return result;
}
