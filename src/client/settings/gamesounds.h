// SPDX-License-Identifier: MIT
// GameSounds: plays the game's short sound clips by name (the player window asks only while
// "Play Sounds" is ticked).
//
// Names match the embedded clips without regard to letter case; a name without a clip of its own
// plays a short alert. Playing never waits: the request returns at once and a new request cuts off
// a clip still playing. The clips go to a SoundOutput: EffectSoundOutput in the program, which stays
// silent when the machine has no audio output. Owned by the player window's preferences.
#pragma once

#include <QHash>
#include <QObject>
#include <QPointer>
#include <QString>

class QSoundEffect;

namespace quibo {

// Where clips are played. play() starts the clip at a resource path and returns at once.
class SoundOutput {
public:
    virtual ~SoundOutput() = default;
    virtual void play(const QString& clip) = 0;
};

// Plays clips with Qt Multimedia, one preloaded effect per clip; starting one stops the others.
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
