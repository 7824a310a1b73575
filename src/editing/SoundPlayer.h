#pragma once

#include <QString>

// Plays the alarm sounds the user picks, so that they hear what they chose.
class SoundPlayer {
public:
    virtual ~SoundPlayer() = default;
    // Plays the named sound once; false when there is no such sound or it cannot be played.
    virtual bool play(const QString& name) = 0;
    // The system's warning sound.
    virtual void beep() = 0;
};
