// SPDX-License-Identifier: MIT
// WordIndex: the words of a word file held in memory for lookups, as open-addressing hash tables of
// the words packed five bits a letter (a = 1 ... z = 26, the first letter in the lowest bits).
//
// A word of up to twelve letters fits one 64-bit slot, so a lookup is a few multiplications and
// usually one cache line; the rarer words of 13 and 14 letters live in a second table of two-part
// slots. The tables are filled at most to about 55 % and probed linearly. The word file is untrusted:
// it is bounded to 64 MiB before it gets here, and the hash's multiplier is random for each index,
// so no file can be made of words that all land in one probe run. Built once from records
// that TDictn has checked; the words are then looked up either as text (letters a to z in either
// case) or as the letter codes 1 to 26 that the game keeps on its boards and hands. Anything that is
// not one to fourteen letters is simply not a word. Read-only after building, owned by TDictn.
#pragma once

#include <QByteArrayView>
#include <QtGlobal>
#include <vector>

namespace quibo {

class WordIndex {
public:
    static constexpr int longestWord = 14;

    WordIndex() = default;
    // The words of records: 15-byte word file records (a mark, then capitals padded with blanks),
    // already known to be well formed. Repeats are kept once.
    explicit WordIndex(QByteArrayView records);

    // True when letters, read as a to z in either case, spell a word of the index.
    bool containsLetters(QByteArrayView letters) const;
    // True when the letter codes (1 = a ... 26 = z) spell a word of the index.
    bool containsCodes(const quint8* codes, qsizetype length) const;

    qsizetype size() const { return m_size; }

private:
    struct LongSlot {
        quint64 head = 0; // letters 1 to 12
        quint64 tail = 0; // letters 13 and 14
    };
    // One word, packed: head is zero only for no word at all.
    struct Packed {
        quint64 head = 0;
        quint64 tail = 0;
        qsizetype length = 0;
    };

    bool containsPacked(const Packed& word) const;
    void insert(const Packed& word);
    void prefetchSlot(const Packed& word) const;

    std::vector<quint64> m_short; // words of 1 to 12 letters; 0 marks a free slot
    std::vector<LongSlot> m_long; // words of 13 and 14 letters
    qsizetype m_size = 0;
    quint64 m_multiplier = 1; // odd
};

} // namespace quibo
