// SPDX-License-Identifier: MIT
#include "gamesounds.h"

#include <array>

namespace quibo {
namespace {

constexpr std::array clipNames{"badword", "clear",     "entered", "gameover", "goodword",
                               "place",   "roundover", "start",   "tick"};

} // namespace

QString GameSounds::clipFor(const QString& name) {
    const QString lower = name.toLower();
    for (const char* clip : clipNames) {
        if (lower == QLatin1String(clip)) return QStringLiteral(":/sounds/%1.wav").arg(lower);
    }
    return QString::fromLatin1(alertClip);
}

void GameSounds::playsounds(const QString& name) {
    m_output.play(clipFor(name));
}

} // namespace quibo
