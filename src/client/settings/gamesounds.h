// SPDX-License-Identifier: MIT
// GameSounds: plays the game's short sound clips by name (the player window asks only while
// "Play Sounds" is ticked).
//
// Names match the embedded clips without regard to letter case; a name without a clip of its own
// plays a short alert. Playing never waits: the request returns at once and a new request cuts off
// a clip still playing. The clips go to a SoundOutput: in the program the one in the sound module
// (ModuleSoundOutput), which stays silent when the machine has no audio output. Owned by the player window's
// preferences.
#pragma once

#include "soundoutput.h"

#include <QString>

namespace quibo {

class GameSounds {
public:
    static constexpr char alertClip[] = ":/sounds/alert.wav";

    explicit GameSounds(SoundOutput& output)
        : m_output(output) {}

    // The clip for a sound name: ":/sounds/<name>.wav" for the nine game sounds, else the alert.
    static QString clipFor(const QString& name);

    void playsounds(const QString& name);

private:
    SoundOutput& m_output;
};

} // namespace quibo
