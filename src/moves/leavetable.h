// SPDX-License-Identifier: MIT
// LeaveTable: what keeping each letter in the hand is worth to the expert computer beyond the turn
// it looks ahead, in points. The learned table was fitted by the expert playing itself under the
// host's rules (bench/leaves.cpp plays the games and prints it; rerun it after changing the expert
// or the drawing rule). A letter held more than once adds repeated for every further copy.
#pragma once

#include <array>

namespace quibo {

struct LeaveTable {
    std::array<double, 27> values{}; // index = letter code (1 = a ... 26 = z); index 0 unused
    double repeated = 0;
};

// 800 games of self-play, 21911 kept hands; expert budget 20 ms and 16 hands a move
inline constexpr LeaveTable learnedLeaves{
    {
        0.0,   // unused
        -1.02, // a
        -0.23, // b
        -1.81, // c
        -0.57, // d
        -1.35, // e
        -0.17, // f
        -1.07, // g
        -1.30, // h
        -0.17, // i
        -0.48, // j
        -1.28, // k
        -0.75, // l
        -0.24, // m
        -1.02, // n
        -0.22, // o
        -1.35, // p
        -0.35, // q
        -1.43, // r
        -0.04, // s
        -0.55, // t
        -0.22, // u
        -1.09, // v
        -1.49, // w
        -0.65, // x
        -1.15, // y
        -0.95, // z
    },
    -0.66,
};

} // namespace quibo
