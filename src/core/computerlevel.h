// SPDX-License-Identifier: MIT
// ComputerLevel: how strongly the computer opponent plays, and its text form in messages and the
// settings file ("easy", "normal", "strong", "expert"). Normal is the computer as it has always played; a
// message or setting without a level, or with a text this version does not know, means Normal.
#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <optional>

namespace quibo {

enum class ComputerLevel { Easy, Normal, Strong, Expert };

// "easy", "normal", "strong" or "expert".
QByteArray levelText(ComputerLevel level);
// The level a text names (exactly as levelText writes it); nothing for any other text.
std::optional<ComputerLevel> levelFromText(QByteArrayView text);

} // namespace quibo
