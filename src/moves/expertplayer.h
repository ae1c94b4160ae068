// SPDX-License-Identifier: MIT
// ExpertPlayer: chooses the expert computer's move from what its seat can see (ExpertView). Every
// turn-ending move is a candidate: each hand letter placed on an empty cell or over each board
// letter, each hand or board letter thrown away, each steal that makes a new word, with the board
// rearranged as the word needs. A candidate is worth its points now, plus the learned value of the
// hand letters it keeps, plus what the seat can expect to score with that board and hand on its next
// turn (over every letter it may draw, by the drawing rule), minus the opponent's best reply on the
// boards it leaves: the steals from this seat's board, and the words the opponent's board allows
// with hands sampled by the drawing rule, since the real hand is unknown. A word that wins is taken
// at once.
//
// The thinking is bounded by a Budget: at most so much time and so many sampled hands. It stops at
// either with the best move found so far, so a move never takes much longer than the budget. The
// host sets the time (its own setting; no peer can reach it); every candidate count is bounded by
// the board and hand sizes. Given the same view, seed and sample count it answers the same move.
// The candidates themselves, with their words and points, are open to others (moves), and the
// weighing can be kept to those scoring at least so much, which is how a kept game's best move is
// chosen among moves that score alike (MoveAnalyst).
#pragma once

#include "anagramindex.h"
#include "expertview.h"
#include "leavetable.h"

#include <chrono>
#include <optional>
#include <vector>

namespace quibo {

class ExpertPlayer {
public:
    struct Budget {
        std::chrono::milliseconds time{1000};
        int samples = 256; // opponent hands drawn at most
    };

    explicit ExpertPlayer(const AnagramIndex& index, const LeaveTable& leaves = learnedLeaves);

    // The move to make; nothing when no move is possible (empty hand and board). Only candidates
    // scoring at least leastPoints now are weighed (nothing when none does).
    std::optional<ExpertMove> choose(const ExpertView& view, const Budget& budget, quint32 seed,
                                     int leastPoints = 0) const;

    // Every candidate move of the view with the word it forms and its points, in a fixed order.
    std::vector<ExpertMove> moves(const ExpertView& view) const;

private:
    const AnagramIndex& m_index;
    const LeaveTable& m_leaves;
};

} // namespace quibo
