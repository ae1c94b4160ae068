// SPDX-License-Identifier: MIT
// ComputerPlayer: makes the move of a seat that no human plays (an empty seat 2, or a seat whose
// owner only watches). It picks one word from the candidate list that its board, its hand and now
// and then one of the opponent's letters can make, and carries it out through the ordinary move
// handlers of GameRules, so its moves look exactly like a human's on the wire. It keeps nothing
// between turns. GameRules owns it and calls it from the turn clock.
#pragma once

#include "letters.h"

#include <QByteArray>
#include <QStringList>
#include <array>
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
    void playFirstLetter(int seat, const Candidate& candidate);
    void fallback(int seat, const Supply& supply);
    void arrange(int seat, const QByteArray& word);
    bool placeFromHand(int seat, const QByteArray& word);
    bool steal(int seat, const QByteArray& word);
    void discardAny(int seat);
    int lowestSlotHolding(int seat, const char* letters) const;

    GameRules& m_rules;
    SeatTable& m_seats;
    Random& m_random;
    const TDictn* m_spell;
    std::vector<Candidate> m_candidates; // one per item of the list, index = item number
};

} // namespace quibo
