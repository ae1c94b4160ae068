// SPDX-License-Identifier: MIT
// AnagramIndex: the dictionary's words of 2 to 10 letters (the longest a board holds), grouped by
// their letters regardless of order, for the expert computer, which asks "which words can these
// letters make" millions of times a game. A group is found by one hash look-up of a key packed from
// the sorted letter codes. Built once from the word file the dictionary opened, keeping only what
// the dictionary itself accepts, so the index can never offer a word the host would not score; a
// file that is missing, oversized or not in the record format gives an empty index. The host builds
// one and shares it between its games; it does not change afterwards.
#pragma once

#include "letters.h"

#include <QByteArray>
#include <QByteArrayView>
#include <array>
#include <cstdint>
#include <unordered_map>
#include <vector>

namespace quibo {

class TDictn;

// Letters counted by code: counts[c] is how many of letter c (1..26); counts[0] is unused.
using LetterCounts = std::array<quint8, 27>;

class AnagramIndex {
public:
    AnagramIndex() = default;
    // Reads the dictionary's word file; an unopened dictionary gives an empty index.
    explicit AnagramIndex(const TDictn& spell);

    // The key of a set of letters: their codes in ascending order, five bits each. Zero for none;
    // sets of more than ten letters share the key of no word.
    static quint64 keyOf(const LetterCounts& counts);
    // Upper-case words sharing the letters of the key (none for an unknown key).
    const std::vector<QByteArray>& wordsOf(quint64 key) const;
    int countOf(quint64 key) const;
    bool isEmpty() const { return m_groups.empty(); }
    qsizetype wordCount() const { return m_wordCount; }

    // For tests: an index of these words (upper case, letters A to Z only).
    static AnagramIndex fromWords(const std::vector<QByteArray>& words);
    // An index of the words of word file records (as the embedded word lists hold them); records
    // not in the format are left out, and a run of records past the word file's size bound gives an
    // empty index.
    static AnagramIndex fromRecords(QByteArrayView records);

private:
    void add(const QByteArray& word);

    std::unordered_map<quint64, std::vector<QByteArray>> m_groups;
    qsizetype m_wordCount = 0;
};

// The letters of an upper-case word, counted.
LetterCounts countsOfWord(QByteArrayView word);

} // namespace quibo
