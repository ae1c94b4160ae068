// SPDX-License-Identifier: MIT
#include "anagramindex.h"

#include "tdictn.h"

#include <QFile>

namespace quibo {

namespace {

constexpr int longestBoardWord = boardCells;
// The same bound the dictionary puts on the word file.
constexpr qint64 largestWordFile = 64 * 1024 * 1024;

bool isUpperWord(QByteArrayView word) {
    if (word.size() < 2 || word.size() > longestBoardWord) return false;
    for (char letter : word) {
        if (letter < 'A' || letter > 'Z') return false;
    }
    return true;
}

} // namespace

LetterCounts countsOfWord(QByteArrayView word) {
    LetterCounts counts{};
    for (char letter : word) {
        if (letter >= 'A' && letter <= 'Z') ++counts[std::size_t(letter - 'A' + 1)];
    }
    return counts;
}

quint64 AnagramIndex::keyOf(const LetterCounts& counts) {
    quint64 key = 0;
    int letters = 0;
    for (int code = 1; code <= 26; ++code) {
        for (int i = 0; i < counts[std::size_t(code)]; ++i) {
            if (++letters > longestBoardWord) return ~quint64(0);
            key = (key << 5) | quint64(code);
        }
    }
    return key;
}

AnagramIndex::AnagramIndex(const TDictn& spell) {
    if (!spell.isOpen()) return;
    QFile file(spell.wordFilePath());
    if (!file.open(QIODevice::ReadOnly) || file.size() > largestWordFile) return;
    const QByteArray bytes = file.readAll();
    m_groups.reserve(std::size_t(bytes.size() / TDictn::recordsize));
    for (qsizetype at = 0; at + TDictn::recordsize <= bytes.size(); at += TDictn::recordsize) {
        const QByteArray word = bytes.mid(at + 1, TDictn::recordsize - 1).trimmed();
        // The file may have changed since the dictionary read it: only what it accepts goes in.
        if (isUpperWord(word) && spell.IsWord(word)) add(word);
    }
}

AnagramIndex AnagramIndex::fromWords(const std::vector<QByteArray>& words) {
    AnagramIndex index;
    for (const QByteArray& word : words) {
        if (isUpperWord(word)) index.add(word);
    }
    return index;
}

AnagramIndex AnagramIndex::fromRecords(QByteArrayView records) {
    AnagramIndex index;
    if (records.size() > largestWordFile) return index;
    index.m_groups.reserve(std::size_t(records.size() / TDictn::recordsize));
    for (qsizetype at = 0; at + TDictn::recordsize <= records.size(); at += TDictn::recordsize) {
        const QByteArray word = records.sliced(at + 1, TDictn::recordsize - 1).toByteArray().trimmed();
        if (isUpperWord(word)) index.add(word);
    }
    return index;
}

void AnagramIndex::add(const QByteArray& word) {
    std::vector<QByteArray>& group = m_groups[keyOf(countsOfWord(word))];
    // The file repeats words cut to 14 letters; a board word never is one, but stay exact.
    for (const QByteArray& known : group) {
        if (known == word) return;
    }
    group.push_back(word);
    ++m_wordCount;
}

const std::vector<QByteArray>& AnagramIndex::wordsOf(quint64 key) const {
    static const std::vector<QByteArray> none;
    const auto found = m_groups.find(key);
    return found == m_groups.end() ? none : found->second;
}

int AnagramIndex::countOf(quint64 key) const {
    const auto found = m_groups.find(key);
    return found == m_groups.end() ? 0 : int(found->second.size());
}

} // namespace quibo
