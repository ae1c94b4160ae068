// SPDX-License-Identifier: MIT
// MoveAnalyst: the best move a seat had in a position, for looking back at a kept game. The best
// move is, among every turn-ending move the position allows (the expert computer's candidates:
// each hand letter placed or thrown away, each board letter removed, each steal that makes a new
// word, with the board rearranged for free), the one that scores the most points this turn; where
// several score the same, the expert's own valuation of the position they leave decides.
//
// A turn that formed no word played 0 points. Where no move of the position forms a word, every
// move scores 0 and the turn lost nothing, whatever it threw away or removed: points this turn are
// the measure, not the expert's guess at later turns.
//
// The position comes from a record on disk, which anyone may have written: letter codes outside
// 1..26 count as empty cells or slots, a formed-words list is cut at maxFormedWords, words longer
// than a board are left out, and scores and steals are clamped to what a game can reach, so a lying
// record costs no more than a true one and reaches nothing out of range. The index is shared and
// read only; an analyst may run on any thread.
#pragma once

#include "anagramindex.h"
#include "expertplayer.h"
#include "expertview.h"

#include <optional>

namespace quibo {

class MoveAnalyst {
public:
    // More words than a seat forms in any game (each scores at least 2 points of a bounded target).
    static constexpr int maxFormedWords = 1000;
    // Scores, targets and steals beyond this are no game's: clamped.
    static constexpr int largestScore = 1000000;

    explicit MoveAnalyst(const AnagramIndex& index);

    // The best move in the position; nothing when it allows no move at all (an empty hand and board
    // and nothing to steal). Given the same view it answers the same move.
    std::optional<ExpertMove> bestMove(const ExpertView& view) const;

    // What a turn that scored playedPoints lost against the best move: never below 0.
    static int lossOf(const std::optional<ExpertMove>& best, int playedPoints);

    // The view with everything out of range made harmless (see the class note).
    static ExpertView sanitized(const ExpertView& view);

private:
    const AnagramIndex& m_index;
};

} // namespace quibo
