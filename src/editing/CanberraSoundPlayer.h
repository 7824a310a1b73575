#pragma once

#include "SoundPlayer.h"

struct ca_context;

// Plays sounds through the desktop's event sound service: by sound-theme name first, else the file of
// that name among the sound folders that NamedSounds walks.
class CanberraSoundPlayer : public SoundPlayer {
public:
    CanberraSoundPlayer();
    ~CanberraSoundPlayer() override;
    CanberraSoundPlayer(const CanberraSoundPlayer&) = delete;
    CanberraSoundPlayer& operator=(const CanberraSoundPlayer&) = delete;

    bool play(const QString& name) override;
    void beep() override;

private:
    ca_context* m_context = nullptr; // null when no context could be made: nothing plays
};
