// SPDX-License-Identifier: MIT
// SoundOutput: where the game's clips are played. play() starts the clip at a resource path and
// returns at once. The program's own output lives in the sound module (soundmodule.h), so that Qt
// Multimedia and the audio libraries under it load only when the first sound plays.
#pragma once

#include <QString>

namespace quibo {

class SoundOutput {
public:
    virtual ~SoundOutput() = default;
    virtual void play(const QString& clip) = 0;
};

} // namespace quibo
