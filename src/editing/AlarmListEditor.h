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
    // The user chose the alarm's program in this row: it may run once the event is saved.
    virtual void programChosen(const CalAlarm& alarm) = 0;
    // Whether the alarm's program runs on this computer: chosen here, now or before.
    virtual bool mayRunProgram(const CalAlarm& alarm) const = 0;
};
