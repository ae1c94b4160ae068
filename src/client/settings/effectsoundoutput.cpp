// SPDX-License-Identifier: MIT
#include "effectsoundoutput.h"

#include <QAudioDevice>
#include <QLoggingCategory>
#include <QMediaDevices>
#include <QSoundEffect>
#include <QUrl>

namespace quibo {
namespace {

Q_LOGGING_CATEGORY(lcSound, "quibo.client")

} // namespace

EffectSoundOutput::EffectSoundOutput(QObject* parent)
    : QObject(parent) {}

QSoundEffect* EffectSoundOutput::effectFor(const QString& clip) {
    if (QSoundEffect* effect = m_effects.value(clip)) return effect;
    auto* effect = new QSoundEffect(this);
    effect->setSource(QUrl(QStringLiteral("qrc") + clip));
    m_effects.insert(clip, effect);
    return effect;
}

void EffectSoundOutput::play(const QString& clip) {
    // Without an audio output the game is silent; that is not worth a message.
    const QAudioDevice device = QMediaDevices::defaultAudioOutput();
    if (device.isNull()) {
        qCDebug(lcSound) << "no audio output for" << clip;
        return;
    }
    if (m_playing) m_playing->stop();
    QSoundEffect* effect = effectFor(clip);
    if (effect->audioDevice() != device) effect->setAudioDevice(device);
    effect->play();
    m_playing = effect;
}

} // namespace quibo

quibo::SoundOutput* quibo_make_sound_output() {
    return new quibo::EffectSoundOutput;
}
