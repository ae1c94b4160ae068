// SPDX-License-Identifier: MIT
// EffectSoundOutput: plays clips with Qt Multimedia, one preloaded effect per clip; starting one
// stops the others; silent when the machine has no audio output. Built into the sound module
// (quibo-sound.so), never into the program, which reaches it through ModuleSoundOutput; the module's
// one entry point, quibo_make_sound_output, makes one.
#pragma once

#include "soundoutput.h"

#include <QHash>
#include <QObject>
#include <QPointer>

class QSoundEffect;

namespace quibo {

class EffectSoundOutput : public QObject, public SoundOutput {
    Q_OBJECT
public:
    explicit EffectSoundOutput(QObject* parent = nullptr);
    void play(const QString& clip) override;

private:
    QSoundEffect* effectFor(const QString& clip);

    QHash<QString, QSoundEffect*> m_effects;
    QPointer<QSoundEffect> m_playing;
};

} // namespace quibo

// The module's entry point: a new output, owned by the caller.
extern "C" Q_DECL_EXPORT quibo::SoundOutput* quibo_make_sound_output();
