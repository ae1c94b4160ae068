// SPDX-License-Identifier: MIT
// WordPlanner: the one word-playing bot of the tests, for raw clients and for real windows alike. It
// knows only what a seat can see (its hand, both boards, its words, its steals left) and the word
// list, and picks one turn-ending move: a placement or a steal that completes a new word, else a
// placement towards a word that the hand can still finish, else a discard. It also scores a board the
// way the host must, so a test can predict every formed word before it arrives. Owned by the test
// that plays; the test carries the move out (as a message, or as clicks on a window's tiles).
#pragma once

#include "letters.h"

#include <QByteArray>
#include <QList>
#include <QSet>
#include <QString>
#include <optional>

namespace quibo::test {

// What a seat knows when it is to move.
struct Position {
    Hand hand{};
    Board board{};    // the mover's own
    Board hisBoard{}; // the opponent's
    QSet<QByteArray> formed;
    int stealsLeft = 0;
};

struct PlannedMove {
    enum class Kind { Place, DiscardExtra, DiscardLetter, Steal };
    Kind kind = Kind::DiscardExtra;
    int slot = 0;    // hand slot for Place and DiscardExtra
    int cell = 0;    // own board cell for Place, DiscardLetter and Steal
    int hisCell = 0; // the opponent's board cell for Steal

    // The whole message (terminator included) the seat sends for this move.
    QByteArray encode(int seat) const;
    // The mover's board after the move.
    Board applied(const Position& position) const;
};

class WordPlanner {
public:
    // words: every word the host accepts; targets: the words worth building towards.
    WordPlanner(QSet<QByteArray> words, QList<QByteArray> targets);
    // A planner that knows the words of a word file (one a line; none when it cannot be read) and
    // builds towards the computer opponent's candidate words.
    static WordPlanner fromWordFile(const QString& path);

    PlannedMove choose(const Position& position) const;
    // A steal that forms no new word (the host must refuse it), if the opponent has a letter.
    std::optional<PlannedMove> refusedSteal(const Position& position) const;

    // The word the board spells: its letters must stand in one unbroken run and be a listed word;
    // otherwise empty.
    QByteArray wordOn(const Board& board) const;
    bool isWord(const QByteArray& word) const { return m_words.contains(word); }
    qsizetype wordCount() const { return m_words.size(); }

    // Letter worths summed, times the bonus for six letters and more.
    static int points(const QByteArray& word);

private:
    // Each answers the value of the move it found (points; points per missing letter), 0 for none.
    int findCompletion(const Position& position, PlannedMove& move) const;
    int findStepTowardsTarget(const Position& position, PlannedMove& move) const;
    static PlannedMove discard(const Hand& hand, const Board& board);

    QSet<QByteArray> m_words;
    QList<QByteArray> m_targets;
};

} // namespace quibo::test
