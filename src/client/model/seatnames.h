// SPDX-License-Identifier: MIT
// The two names a seat shows when no player's name is there: one untranslated text each, as
// every window of the table shows them alike.
#pragma once

#include <QString>

namespace quibo {

// A playing seat's name while it waits for a player.
inline QString waitingSeatText() {
    return QStringLiteral("<Waiting>");
}
// The computer opponent's name, shown on a seat it plays.
inline QString computerPlayerName() {
    return QStringLiteral("Klot");
}

} // namespace quibo
