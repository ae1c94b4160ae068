// SPDX-License-Identifier: MIT
// WordPlanner: the simple player the end-to-end games use for their raw clients. It knows only what
// the host told the client (its hand and its own board) and the word list, and picks one
// turn-ending move: a placement that completes a new word, else a placement towards a word that the
// hand can still finish, else a discard. It also scores a board the way the host must, so the test
// can predict every "CMD_formedword+" before it arrives. Owned by the test that plays.
#pragma once

#include "letters.h"

#include <QByteArray>
#include <QList>
#include <QSet>

namespace quibo::test {

struct PlannedMove {
    enum class Kind { Place, DiscardExtra, DiscardLetter };
    Kind kind = Kind::DiscardExtra;
    int slot = 0; // hand slot for Place and DiscardExtra
    int cell = 0; // board cell for Place and DiscardLetter

    // The message text (without terminator) the seat sends for this move.
    QByteArray text(int seat) const;
    // The board after the move.
    Board applied(const Hand& hand, Board board) const;
};

class WordPlanner {
public:
    // words: every word the host accepts; targets: the words worth building towards.
    WordPlanner(QSet<QByteArray> words, QList<QByteArray> targets);

    PlannedMove choose(const Hand& hand, const Board& board, const QSet<QByteArray>& formed) const;

    // The word the board spells: its letters must stand in one unbroken run and be a listed word;
    // otherwise empty.
    QByteArray wordOn(const Board& board) const;
    bool isWord(const QByteArray& word) const { return m_words.contains(word); }

    // Letter worths summed, times the bonus for six letters and more.
    static int points(const QByteArray& word);

private:
    // Each answers the value of the move it found (points; points per missing letter), 0 for none.
    int findCompletion(const Hand& hand, const Board& board, const QSet<QByteArray>& formed,
                       PlannedMove& move) const;
    int findStepTowardsTarget(const Hand& hand, const Board& board, const QSet<QByteArray>& formed,
                              PlannedMove& move) const;
    static PlannedMove discard(const Hand& hand, const Board& board);

    QSet<QByteArray> m_words;
    QList<QByteArray> m_targets;
};

} // namespace quibo::test
