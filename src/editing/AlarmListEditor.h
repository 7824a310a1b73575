#pragma once

#include "records/CalAlarm.h"

#include <memory>

// What an alarm row asks of the event editor that holds it.
class AlarmListEditor {
public:
    virtual ~AlarmListEditor() = default;
    // Adds the alarm to the edited event and appends a new empty row; the existing rows stay.
    virtual void addAlarm(const std::shared_ptr<CalAlarm>& alarm) = 0;
    // Removes the alarm from the edited event and rebuilds all rows. The calling row is still running when
    // this returns: delete the old rows later (deleteLater), not at once.
    virtual void removeAlarm(const std::shared_ptr<CalAlarm>& alarm) = 0;
};
