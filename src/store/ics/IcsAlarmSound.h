#pragma once

#include <QString>

#include <libical/ical.h>

#include <optional>

// Where a VALARM keeps the sound of a message with sound: on the message (a DISPLAY alarm) in a property
// of ours, or, as other programs and earlier versions of this one write it, as the ATTACH of an AUDIO
// alarm.
class IcsAlarmSound {
public:
    // On a DISPLAY alarm: the name of the sound that plays with the message, as the sound theme names it.
    static const QString PROPERTY;

    // The sound of the alarm: the property's name; the name of an AUDIO alarm's sound file (its file name
    // without extension, the name the sound theme gives it) or the sound name it holds instead of a URI;
    // empty for an AUDIO alarm that names no sound. Nothing for an alarm without a sound.
    static std::optional<QString> of(icalcomponent* valarm);
};
