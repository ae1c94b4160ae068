// SPDX-License-Identifier: MIT
// The question asked before the player's own action would end a running game: a new game from
// "Start Game", or closing the window while playing or hosting a table with players.
#pragma once

class QWidget;

namespace quibo {

// The object name of the question's box, by which a test finds it.
inline constexpr char endGameQuestionName[] = "endgamequestion";

// Asks "End the running game?" in a modal box over parent; true when the player answered "Yes".
// False also when parent went away while the box was open.
bool confirmEndingGame(QWidget* parent);

} // namespace quibo
