// SPDX-License-Identifier: MIT
// The lines of the English WordNet database, read one at a time: an index line names a lemma and the
// offsets of its synsets in the data file of the same part of speech; a data line is one synset, its
// words, pointers and gloss; an exception line pairs an irregular form with its base forms.
//
// Every line comes from a file on disk and is checked field by field: a line that breaks the format
// anywhere gives nothing, never a partial answer. The views returned point into the line given.
#pragma once

#include <QByteArrayView>
#include <QList>
#include <optional>

namespace quibo {

// Longest line read from any database file; the real files stay under 13,000 bytes.
inline constexpr qsizetype maxWordNetLineLength = 64 * 1024;

struct WordNetIndexLine {
    QByteArrayView lemma;   // lower case, collocations joined with "_"
    char partOfSpeech = 0;  // 'n', 'v', 'a' or 'r'
    QList<quint32> offsets; // synset offsets in the data file, most common sense first
};

// "lemma pos synset_cnt p_cnt [ptr_symbol...] sense_cnt tagsense_cnt synset_offset...".
std::optional<WordNetIndexLine> parseWordNetIndexLine(QByteArrayView line);

struct WordNetDataLine {
    quint32 offset = 0;  // where the line starts in its data file
    char synsetType = 0; // 'n', 'v', 'a', 's' (adjective satellite) or 'r'
    QList<QByteArrayView> words;
    QByteArrayView gloss; // after "| ", trimmed: the definition, then any example sentences
};

// "offset lex_filenum ss_type w_cnt word lex_id... p_cnt ptr... [frames] | gloss".
std::optional<WordNetDataLine> parseWordNetDataLine(QByteArrayView line);

// The definition part of a gloss: up to the first quoted example ("; \"..."), trimmed.
QByteArrayView definitionOfGloss(QByteArrayView gloss);

struct WordNetExceptionLine {
    QByteArrayView inflected;
    QList<QByteArrayView> baseForms;
};

// "inflected base [base...]".
std::optional<WordNetExceptionLine> parseWordNetExceptionLine(QByteArrayView line);

// The lemma an index line starts with: the bytes before its first space (empty for the licence lines,
// which start with spaces and so sort before every lemma).
QByteArrayView wordNetIndexKey(QByteArrayView line);

} // namespace quibo
