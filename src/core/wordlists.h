// SPDX-License-Identifier: MIT
// The word lists embedded in the program: the word file the dictionary writes out (":/TEXT_DEMO",
// 15-byte records, see TDictn) and the computer opponent's candidate words, a sorted list of common
// lower-case words of 2 to 7 letters. The host loads the candidates once at start and keeps them.
#pragma once

#include <QString>
#include <QStringList>

namespace quibo {

inline constexpr char wordFileResource[] = ":/TEXT_DEMO";
inline constexpr char candidateWordsResource[] = ":/wordlists/candidates.txt";

// The candidate words in list order, one item a word (the last index is size() - 1). Reads the
// embedded list unless another file is named; an unreadable file gives an empty list.
QStringList loadCandidateWords(const QString& path = QString::fromLatin1(candidateWordsResource));

} // namespace quibo
