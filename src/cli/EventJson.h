#pragma once

#include "JsonLine.h"
#include "records/CalEvent.h"

// An occurrence as `verdalune-cli list --json` prints it; nothing when one of its dates lies beyond
// what the ISO form can hold.
class EventJson {
public:
    static std::optional<QByteArray> line(const CalEvent& event);
};
