#pragma once

#include "dates/DateFormatter.h"
#include "dates/EventDescription.h"

#include <memory>

// The descriptions the editor's command field shows: in the language it reads, on a 12-hour clock.
inline std::shared_ptr<EventDescription> usEventDescription() {
    auto formatter = std::make_shared<DateFormatter>();
    formatter->setLocale(QStringLiteral("en_US"));
    formatter->setTimeModeHours(12);
    return std::make_shared<EventDescription>(formatter);
}
