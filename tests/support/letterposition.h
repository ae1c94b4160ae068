// SPDX-License-Identifier: MIT
// Positions for the analysis tests, written as letter strings: "CA.T" is C, A, an empty cell, T.
#pragma once

#include "anagramindex.h"
#include "expertview.h"

#include <QByteArrayView>
#include <QStringList>
#include <array>

namespace quibo::test {

// The five words the analysis tests play with.
inline const AnagramIndex& smallIndex() {
    static const AnagramIndex index = AnagramIndex::fromWords({"CAT", "CART", "CHAT", "SCAT", "TAX"});
    return index;
}

inline int codeOf(char letter) {
    return letter == '.' ? 0 : letter - 'A' + 1;
}

template <std::size_t N>
std::array<int, N> lettersOf(QByteArrayView text) {
    std::array<int, N> letters{};
    for (qsizetype i = 0; i < text.size() && i < qsizetype(N); ++i)
        letters[std::size_t(i)] = codeOf(text[i]);
    return letters;
}

// A position to a target of 100, both sides with five steals unless the own side is told otherwise.
inline ExpertView viewOf(QByteArrayView hand, QByteArrayView board, QByteArrayView opponent,
                         const QStringList& formed, qint64 stealsLeft = 5) {
    ExpertView view;
    view.hand = lettersOf<handSlots>(hand);
    view.board = lettersOf<boardCells>(board);
    view.opponentBoard = lettersOf<boardCells>(opponent);
    view.words = formed;
    view.targetscore = 100;
    view.stealsLeft = stealsLeft;
    view.opponentStealsLeft = 5;
    return view;
}

} // namespace quibo::test
