// SPDX-License-Identifier: MIT
// What the expert computer may know when it moves, and the move it answers with. The view holds
// exactly what a player in the seat sees: its own hand, both boards, the words each side has formed,
// the steals each side has left and the scores. The opponent's hand and the generator's future draws
// are not in it, so the expert cannot play on them; it knows only the rule letters are drawn by.
#pragma once

#include "letters.h"

#include <QByteArray>
#include <QStringList>

namespace quibo {

struct ExpertView {
    Hand hand{};
    Board board{};
    Board opponentBoard{};
    QStringList words{};         // formed by this seat this game
    QStringList opponentWords{}; // formed by the opponent this game
    int score = 0;
    int opponentScore = 0;
    int targetscore = 0;
    qint64 stealsLeft = 0;
    qint64 opponentStealsLeft = 0;
    bool operator==(const ExpertView&) const = default;
};

// One turn-ending move with the word it forms. The board is rearranged first so that the move
// leaves the word standing from cell 1; a move that forms no word leaves word empty.
struct ExpertMove {
    enum class Kind { Place, DiscardHand, DiscardBoard, Steal };
    Kind kind = Kind::DiscardHand;
    int letter = 0;   // the hand letter placed or thrown away, the board letter removed, the letter stolen
    int replaced = 0; // the board letter a placed or stolen letter takes the cell of; 0 for an empty cell
    QByteArray word;  // upper case; empty when the move forms no new word
    int points = 0;   // what the word scores
    bool operator==(const ExpertMove&) const = default;
};

} // namespace quibo
