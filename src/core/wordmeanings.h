// SPDX-License-Identifier: MIT
// WordMeanings: the senses of an English word, read from the WordNet database that Debian ships in
// the wordnet-base package (the standard folder /usr/share/wordnet, or the folder $WNSEARCHDIR names).
//
// Nothing is opened until the first question, so a program that never asks pays nothing. Then each
// part of speech reads its sorted index file into memory, searched by binary search, and opens its
// data file, from which each synset is read at the offset the index gives; the small exception lists
// are read whole. Only regular files of at most 64 MiB are used (a refused one is logged), and nothing
// is mapped into memory, so a file cut or replaced while the program runs gives no sense rather than
// a crash. An inflected form finds its base
// word as WordNet's own morphology does: the exception list first, then the suffix rules, keeping only
// forms the index holds ("planets" -> planet, "stole" -> steal). Without the database every answer is
// empty. The files are untrusted: a damaged line gives no sense, and no read goes past a file's end or
// further than maxWordNetLineLength from where it starts. Not thread-safe; one owner asks.
#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QFile>
#include <QHash>
#include <QList>
#include <QString>
#include <array>
#include <memory>

namespace quibo {

enum class PartOfSpeech { Noun, Verb, Adjective, Adverb };

// "noun", "verb", "adjective" or "adverb".
const char* partOfSpeechName(PartOfSpeech pos);

struct WordSense {
    PartOfSpeech partOfSpeech = PartOfSpeech::Noun;
    QByteArray lemma;      // the base form the sense was found under, lower case
    QByteArray definition; // the gloss without its example sentences
};

// One sense as a line: "noun: a small restaurant where drinks and snacks are sold", with the base
// form named when it is not the word asked about: "verb (steal): take without the owner's consent".
QString senseLine(const WordSense& sense, QByteArrayView askedWord);

// The forms WordNet's suffix rules make of a lower-case word for one part of speech, in rule order,
// whether or not the database holds them ("boxes" as a noun: "boxe", "box").
QList<QByteArray> suffixRuleForms(QByteArrayView word, PartOfSpeech pos);

class WordMeanings {
public:
    // The senses shown to a player: up to three.
    static constexpr int shownSenses = 3;
    // Longest definition passed on; longer ones are cut and end in "...".
    static constexpr qsizetype maxDefinitionLength = 400;

    // The database in folder; an empty folder means the standard one (see standardFolder).
    explicit WordMeanings(QString folder = QString());
    ~WordMeanings();
    WordMeanings(const WordMeanings&) = delete;
    WordMeanings& operator=(const WordMeanings&) = delete;

    // $WNSEARCHDIR when set, else the first of the usual install folders that holds an index.
    static QString standardFolder();

    // True when at least one part of speech has both its index and its data file (opens them).
    bool isInstalled();

    // The base forms of word that the index of pos holds: the word itself, then those of the exception
    // list, or when it lists none, those of the suffix rules. Case is ignored; spaces become "_".
    QList<QByteArray> baseForms(QByteArrayView word, PartOfSpeech pos);

    // Up to limit senses of word (limit < 1: all of them), in the order noun, verb, adjective,
    // adverb and within each the database's own, most common first. When not all fit, each part of
    // speech gets its first sense before any gets its second.
    QList<WordSense> senses(QByteArrayView word, int limit = shownSenses);

    QString folder() const { return m_folder; }

private:
    struct Part;
    // A base form the index of one part of speech holds, with its index line; asGiven for the word
    // itself and its listed irregular bases, false for a form made by a suffix rule.
    struct IndexedForm {
        QByteArray form;
        QByteArrayView line;
        bool asGiven = false;
    };

    void open();
    // baseForms for a word already made a lemma key, with the index lines found on the way.
    QList<IndexedForm> indexedForms(const QByteArray& key, PartOfSpeech pos) const;
    // The index line for an exact lemma, or an empty view.
    QByteArrayView indexLine(const Part& part, QByteArrayView lemma) const;
    // The data line at offset, without its newline; empty when there is no whole line there.
    QByteArray dataLine(Part& part, quint32 offset) const;

    QString m_folder;
    bool m_opened = false;
    std::array<std::unique_ptr<Part>, 4> m_parts;
};

} // namespace quibo
