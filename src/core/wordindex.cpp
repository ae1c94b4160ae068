// SPDX-License-Identifier: MIT
#include "wordindex.h"

#include <QRandomGenerator>
#include <array>

namespace quibo {

namespace {

constexpr int bitsPerLetter = 5;
constexpr int headLetters = 12;
constexpr int recordSize = WordIndex::longestWord + 1;
constexpr quint64 tailMix = 0xC2B2AE3D27D4EB4Full;

// The slot a key hashes to in a table of capacity slots: the high half of the key times an odd
// multiplier, scaled to the capacity, so that a table needs no power-of-two size (and no more memory
// than its fill asks for).
std::size_t slotOf(quint64 key, quint64 multiplier, std::size_t capacity) {
    const quint64 mixed = key * multiplier;
    return std::size_t(((mixed >> 32) * quint64(capacity)) >> 32);
}

quint64 longKey(quint64 head, quint64 tail) {
    return head ^ (tail * tailMix);
}

// Room for words filled to at most about 55 %, which keeps the probe runs short, and always at
// least one free slot, which ends every probe.
std::size_t capacityFor(qsizetype words) {
    return std::size_t(words) * 9 / 5 + 1;
}

// 1 to 26 for a to z in either case, 0 for any other byte.
unsigned codeOfLetter(char c) {
    const unsigned code = (uchar(c) | 0x20u) - unsigned('a' - 1);
    return code - 1 < 26 ? code : 0;
}

unsigned codeOfCode(quint8 code) {
    return code >= 1 && code <= 26 ? code : 0;
}

// Packs length items, each turned into its letter code by codeOf; false when one is not a letter.
template <typename Item, typename CodeOf>
bool packItems(const Item* items, qsizetype length, CodeOf codeOf, quint64& head, quint64& tail) {
    if (length < 1 || length > WordIndex::longestWord) return false;
    head = 0;
    tail = 0;
    const qsizetype inHead = length < headLetters ? length : headLetters;
    for (qsizetype i = 0; i < inHead; ++i) {
        const quint64 code = codeOf(items[i]);
        if (code == 0) return false;
        head |= code << (bitsPerLetter * i);
    }
    for (qsizetype i = inHead; i < length; ++i) {
        const quint64 code = codeOf(items[i]);
        if (code == 0) return false;
        tail |= code << (bitsPerLetter * (i - headLetters));
    }
    return true;
}

} // namespace

WordIndex::WordIndex(QByteArrayView records)
    // A multiplier drawn afresh for every index: the word file is not to be trusted, and with a
    // fixed one a file could be made of words that all hash alike, turning the build quadratic.
    // Multiply-shift hashing with a random odd multiplier spreads any set of words evenly.
    : m_multiplier(QRandomGenerator::global()->generate64() | 1u) {
    // Two passes and no list of the words: the first only sizes the tables (the index is built at
    // every start, and memory it would not keep costs time as well).
    const auto lengthAt = [&records](qsizetype at) {
        const char* letters = records.data() + at + 1;
        qsizetype length = 0;
        while (length < longestWord && letters[length] != ' ')
            ++length;
        return length;
    };
    qsizetype shortWords = 0;
    qsizetype longWords = 0;
    for (qsizetype at = 0; at + recordSize <= records.size(); at += recordSize)
        ++(lengthAt(at) > headLetters ? longWords : shortWords);
    m_short.assign(capacityFor(shortWords), 0);
    m_long.assign(capacityFor(longWords), LongSlot{});

    // The slots are visited in no order: the slot of a word a little further on is fetched into the
    // cache while this one goes in, so that the misses overlap instead of following each other.
    qsizetype next = 0;
    const auto packNext = [&](Packed& word) {
        for (; next + recordSize <= records.size(); next += recordSize) {
            word.length = lengthAt(next);
            if (packItems(records.data() + next + 1, word.length, codeOfLetter, word.head, word.tail)) {
                next += recordSize;
                return true;
            }
        }
        return false;
    };
    constexpr std::size_t ahead = 16;
    std::array<Packed, ahead> coming;
    std::size_t waiting = 0;
    while (waiting < ahead && packNext(coming[waiting]))
        prefetchSlot(coming[waiting++]);
    // Once the records run out every slot of the ring holds one of the last words, oldest first.
    for (std::size_t at = 0; waiting > 0; at = (at + 1) % ahead) {
        const Packed word = coming[at];
        if (packNext(coming[at]))
            prefetchSlot(coming[at]);
        else
            --waiting;
        insert(word);
    }
}

void WordIndex::prefetchSlot(const Packed& word) const {
#if defined(__GNUC__)
    if (word.length <= headLetters)
        __builtin_prefetch(&m_short[slotOf(word.head, m_multiplier, m_short.size())]);
    else
        __builtin_prefetch(&m_long[slotOf(longKey(word.head, word.tail), m_multiplier, m_long.size())]);
#else
    (void)word;
#endif
}

void WordIndex::insert(const Packed& word) {
    if (word.length <= headLetters) {
        const std::size_t capacity = m_short.size();
        std::size_t i = slotOf(word.head, m_multiplier, capacity);
        while (m_short[i] != 0) {
            if (m_short[i] == word.head) return;
            if (++i == capacity) i = 0;
        }
        m_short[i] = word.head;
    } else {
        const std::size_t capacity = m_long.size();
        std::size_t i = slotOf(longKey(word.head, word.tail), m_multiplier, capacity);
        while (m_long[i].head != 0) {
            if (m_long[i].head == word.head && m_long[i].tail == word.tail) return;
            if (++i == capacity) i = 0;
        }
        m_long[i] = LongSlot{word.head, word.tail};
    }
    ++m_size;
}

bool WordIndex::containsPacked(const Packed& word) const {
    if (word.length <= headLetters) {
        const std::size_t capacity = m_short.size();
        if (capacity == 0) return false;
        for (std::size_t i = slotOf(word.head, m_multiplier, capacity);;) {
            const quint64 slot = m_short[i];
            if (slot == word.head) return true;
            if (slot == 0) return false;
            if (++i == capacity) i = 0;
        }
    }
    const std::size_t capacity = m_long.size();
    if (capacity == 0) return false;
    for (std::size_t i = slotOf(longKey(word.head, word.tail), m_multiplier, capacity);;) {
        const LongSlot& slot = m_long[i];
        if (slot.head == word.head && slot.tail == word.tail) return true;
        if (slot.head == 0) return false;
        if (++i == capacity) i = 0;
    }
}

bool WordIndex::containsLetters(QByteArrayView letters) const {
    Packed word;
    word.length = letters.size();
    return packItems(letters.data(), letters.size(), codeOfLetter, word.head, word.tail) &&
           containsPacked(word);
}

bool WordIndex::containsCodes(const quint8* codes, qsizetype length) const {
    Packed word;
    word.length = length;
    return packItems(codes, length, codeOfCode, word.head, word.tail) && containsPacked(word);
}

} // namespace quibo
