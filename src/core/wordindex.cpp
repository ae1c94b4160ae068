// SPDX-License-Identifier: MIT
#include "wordindex.h"

namespace quibo {

namespace {

constexpr int bitsPerLetter = 5;
constexpr int headLetters = 12;
constexpr int recordSize = WordIndex::longestWord + 1;
constexpr quint64 golden = 0x9E3779B97F4A7C15ull;
constexpr quint64 tailMix = 0xC2B2AE3D27D4EB4Full;

// The slot a key hashes to in a table of capacity slots: the high half of a multiplicative hash,
// scaled to the capacity, so that a table needs no power-of-two size (and no more memory than its
// fill asks for).
std::size_t slotOf(quint64 key, std::size_t capacity) {
    const quint64 mixed = key * golden;
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

WordIndex::WordIndex(QByteArrayView records) {
    const qsizetype count = records.size() / recordSize;
    std::vector<Packed> words;
    words.reserve(std::size_t(count));
    qsizetype longWords = 0;
    for (qsizetype at = 0; at + recordSize <= records.size(); at += recordSize) {
        const char* letters = records.data() + at + 1;
        qsizetype length = 0;
        while (length < longestWord && letters[length] != ' ')
            ++length;
        Packed word;
        if (!packItems(letters, length, codeOfLetter, word.head, word.tail)) continue;
        word.length = length;
        longWords += length > headLetters ? 1 : 0;
        words.push_back(word);
    }
    m_short.assign(capacityFor(qsizetype(words.size()) - longWords), 0);
    m_long.assign(capacityFor(longWords), LongSlot{});
    for (const Packed& word : words)
        insert(word);
}

void WordIndex::insert(const Packed& word) {
    if (word.length <= headLetters) {
        const std::size_t capacity = m_short.size();
        std::size_t i = slotOf(word.head, capacity);
        while (m_short[i] != 0) {
            if (m_short[i] == word.head) return;
            if (++i == capacity) i = 0;
        }
        m_short[i] = word.head;
    } else {
        const std::size_t capacity = m_long.size();
        std::size_t i = slotOf(longKey(word.head, word.tail), capacity);
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
        for (std::size_t i = slotOf(word.head, capacity);;) {
            const quint64 slot = m_short[i];
            if (slot == word.head) return true;
            if (slot == 0) return false;
            if (++i == capacity) i = 0;
        }
    }
    const std::size_t capacity = m_long.size();
    if (capacity == 0) return false;
    for (std::size_t i = slotOf(longKey(word.head, word.tail), capacity);;) {
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
