// SPDX-License-Identifier: MIT
// The word lists embedded in the program: the word files the dictionary writes out (":/TEXT_DEMO",
// the standard list, and ":/TEXT_LARGE", the large one; 15-byte records, see TDictn) and the
// computer opponent's candidate words, a sorted list of common lower-case words of 2 to 7 letters.
// The host loads the candidates once at start and keeps them. A table may also play with a word list
// of its own, a plain text file, which is turned into the same records here.
#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QString>
#include <QStringList>
#include <optional>

namespace quibo {

inline constexpr char wordFileResource[] = ":/TEXT_DEMO";
inline constexpr char largeWordFileResource[] = ":/TEXT_LARGE";
inline constexpr char candidateWordsResource[] = ":/wordlists/candidates.txt";

// The embedded word list a choice names: "standard" or "large"; nothing for any other text.
std::optional<QString> wordFileResourceFor(const QString& choice);

// The candidate words in list order, one item a word (the last index is size() - 1). Reads the
// embedded list unless another file is named; an unreadable file gives an empty list.
QStringList loadCandidateWords(const QString& path = QString::fromLatin1(candidateWordsResource));

// A text folded as the lists fold their words: accented letters to plain ones (café -> cafe,
// œuvre -> oeuvre), lower case; every other character stays as it is.
QString foldedText(const QString& text);

// A word as the lists keep it: the text trimmed and folded (foldedText). Empty when the result is
// not 2 to 14 letters a to z.
QByteArray foldedWord(const QString& text);

// A plain word list (UTF-8, one word a line) turned into word file records, sorted, without repeats.
struct WordListRecords {
    QByteArray records;
    int words = 0;   // distinct words kept
    int skipped = 0; // non-empty lines that are not a word of 2 to 14 letters after folding
};
WordListRecords wordRecordsFromList(QByteArrayView text);

} // namespace quibo
