#pragma once

#include "JsonLine.h"
#include "records/CalEvent.h"

// An occurrence as `verdalune-cli list --json` prints it.
class EventJson {
public:
    static QByteArray line(const CalEvent& event);
};
