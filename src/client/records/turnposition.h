// SPDX-License-Identifier: MIT
// TurnPosition: one of the local player's turns in a kept game, as the window saw it when the turn
// began, with the move the player made. A game's record gives these (GameReplay::ownTurns), and the
// analysis looks for the best move in each.
#pragma once

#include "expertview.h"

#include <QByteArray>

namespace quibo {

struct TurnPosition {
    // The replay step (number of events taken in) at which the turn began, and the step after the
    // turn's own move (where the replay shows what was played).
    int step = 0;
    int moveStep = 0;
    // What the local player could see: own hand and board, the opponent's board, the words and scores
    // so far, the steals left, the target. The opponent's hand is not in it.
    ExpertView view;
    // The word the move formed (upper case, empty when it formed none) and its points.
    QByteArray playedWord;
    int playedPoints = 0;
    bool operator==(const TurnPosition&) const = default;
};

} // namespace quibo
