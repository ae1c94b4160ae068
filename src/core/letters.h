// SPDX-License-Identifier: MIT
// Letter codes (0 = none, 1..26 = a..z), their worth, their text form, and the host's random letters.
#pragma once

#include <QByteArray>
#include <array>
#include <cstdint>

namespace quibo {

inline constexpr int handSlots = 6;
inline constexpr int boardCells = 10;

using Hand = std::array<int, handSlots>;   // slot k is hand[k - 1]
using Board = std::array<int, boardCells>; // cell c is board[c - 1]

// The one random source of the host: a 32-bit linear congruential generator
// (seed = seed * 134775813 + 1 mod 2^32; a draw in 0..n-1 is the upper half of seed * n).
class Random {
public:
    explicit Random(quint32 seed = 0)
        : m_seed(seed) {}

    // A uniform integer in 0..n-1; n <= 1 gives 0 (the generator still advances).
    int draw(int n);
    void setSeed(quint32 seed) { m_seed = seed; }
    quint32 seed() const { return m_seed; }
    // A seed taken from the clock, for a generator that need not repeat.
    static quint32 clockSeed();

private:
    quint32 m_seed;
};

// Points a letter adds to a word; codes outside 1..26 are worth 1.
int letterworth(int code);

// The lower-case letter of a code, or a blank for every other value.
char convertoletter(int code);

// The board as text, one character a cell, a blank for an empty cell.
QByteArray boardText(const Board& board);

// Draws a new letter (1..26) for a seat holding the given hand and board: the vowels a, e, i, o come
// up twice as often, j, q, x, z are halved, and a letter already held k times among the hand and
// board cells 1 to 4 is kept only with probability 1/(k+2).
int getletter(Random& random, const Hand& hand, const Board& board);

} // namespace quibo
