// SPDX-License-Identifier: MIT
// ComputerPlayer: makes the move of a seat that no human plays (an empty seat 2, or a seat whose
// owner only watches). It picks one word from the candidate list that its board, its hand and now
// and then one of the opponent's letters can make, and carries it out through the ordinary move
// handlers of GameRules, so its moves look exactly like a human's on the wire. It keeps nothing
// between turns. GameRules owns it and calls it from the turn clock.
//
// The game's level decides how it picks: Normal takes the first word that fits, from a random point
// of the list; Strong weighs every word that fits and plays the one worth most now, a word that
// reaches the target first, and when no word fits it removes the board letter that leaves the most
// words open; Easy plays the fitting word of up to four letters worth least, and never steals. Expert looks
// at every move the whole dictionary allows and thinks a turn ahead (ExpertPlayer); it is shown only what a
// player in its seat sees (ExpertView), and without a word index it plays as Strong.
#pragma once

#include "computerlevel.h"
#include "expertplayer.h"
#include "letters.h"

#include <QByteArray>
#include <QStringList>
#include <array>
#include <memory>
#include <vector>

namespace quibo {

class GameRules;
class SeatTable;
class TDictn;

class ComputerPlayer {
public:
    // words is the candidate list; its first and last items are never chosen.
    ComputerPlayer(GameRules& rules, SeatTable& seats, Random& random, const TDictn* spell,
                   const QStringList& words);

    // Makes exactly one turn-ending move for the seat, possibly after rearranging its board.
    void computerplay(int seat);
    // Carries out a chosen word (upper case): arrange the board, then place, steal or discard.
    void makeword(int seat, const QByteArray& word);

    // The expert's words; without them it builds its own from the dictionary at its first move.
    void shareWordIndex(std::shared_ptr<const AnagramIndex> index) { m_index = std::move(index); }
    // How long and how widely the expert thinks; the host's own setting.
    void setExpertBudget(const ExpertPlayer::Budget& budget) { m_budget = budget; }
    const ExpertPlayer::Budget& expertBudget() const { return m_budget; }
    // The value of kept letters the expert plays by; the learned table unless told otherwise.
    void setExpertLeaves(const LeaveTable& leaves) { m_leaves = leaves; }
    // What the seat may know when the expert moves for it.
    ExpertView expertView(int seat) const;

private:
    // A candidate as letter codes. Words that no board can hold are marked unusable.
    struct Candidate {
        std::array<quint8, boardCells> codes{};
        int length = 0;
        bool usable = false;
    };
    // What the seat can build from, counted per letter code.
    struct Supply {
        std::array<quint8, 27> board{};
        std::array<quint8, 27> hand{};
        std::array<bool, 27> opponent{};
        int n = 0; // letters on the own board
        bool canSteal = false;
    };

    void packBoard(int seat);
    Supply supplyFor(int seat) const;
    const Candidate* chooseCandidate(int seat, const Supply& supply);
    bool passes(const Candidate& candidate, const Supply& supply) const;
    bool fitsLevel(const Candidate& candidate) const;
    // How much a fitting candidate is worth to the strong computer; higher is better.
    int strongValue(int seat, const Candidate& candidate) const;
    static QByteArray upperWord(const Candidate& candidate);
    void playFirstLetter(int seat, const Candidate& candidate);
    void fallback(int seat, const Supply& supply);
    // The board cell whose letter, removed, leaves the most candidates that fit.
    int mostOpenRemoval(int seat, const Supply& supply) const;
    void arrange(int seat, const QByteArray& word);
    bool placeFromHand(int seat, const QByteArray& word);
    bool steal(int seat, const QByteArray& word);
    void discardAny(int seat);
    int lowestSlotHolding(int seat, const char* letters) const;
    bool expertplay(int seat);
    void carryOut(int seat, const ExpertMove& move);
    void arrangeAs(int seat, const Board& target);

    GameRules& m_rules;
    SeatTable& m_seats;
    Random& m_random;
    const TDictn* m_spell;
    std::vector<Candidate> m_candidates; // one per item of the list, index = item number
    std::shared_ptr<const AnagramIndex> m_index;
    ExpertPlayer::Budget m_budget;
    LeaveTable m_leaves = learnedLeaves;
};

} // namespace quibo
