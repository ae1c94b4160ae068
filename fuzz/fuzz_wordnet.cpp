// SPDX-License-Identifier: MIT
// Feeds arbitrary bytes to the WordNet database reader. The first byte picks the form: the rest is
// either lines, each given to the index, data and exception line parsers, or a small database
// (index.noun, data.noun and noun.exc, separated by NUL bytes) written to a temporary folder, in
// which a new reader looks up the words its index names and forms of them. Any view a parser
// returns must lie inside its line, and an answer must keep its stated bounds.
#include "wordmeanings.h"
#include "wordnetlines.h"

#include <QFile>
#include <QTemporaryDir>
#include <cstdint>
#include <cstdlib>

using namespace quibo;

namespace {

void check(bool holds) {
    if (!holds) std::abort();
}

bool inside(QByteArrayView part, QByteArrayView line) {
    return part.isEmpty() ||
           (part.data() >= line.data() && part.data() + part.size() <= line.data() + line.size());
}

void parseLine(QByteArrayView line) {
    check(inside(wordNetIndexKey(line), line));
    if (const auto index = parseWordNetIndexLine(line)) {
        check(!index->lemma.isEmpty() && inside(index->lemma, line) && !index->offsets.isEmpty());
        check(QByteArrayView("nvar").contains(index->partOfSpeech));
    }
    if (const auto data = parseWordNetDataLine(line)) {
        check(!data->words.isEmpty() && !data->gloss.isEmpty() && inside(data->gloss, line));
        for (const QByteArrayView word : data->words)
            check(inside(word, line));
        check(inside(definitionOfGloss(data->gloss), data->gloss));
    }
    if (const auto exception = parseWordNetExceptionLine(line)) {
        check(inside(exception->inflected, line) && !exception->baseForms.isEmpty());
        for (const QByteArrayView base : exception->baseForms)
            check(inside(base, line));
    }
}

void writeFile(const QString& path, QByteArrayView bytes) {
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate)) std::abort();
    file.write(bytes.data(), bytes.size());
}

void lookUp(WordMeanings& meanings, QByteArrayView word) {
    for (const WordSense& sense : meanings.senses(word)) {
        check(!sense.lemma.isEmpty() && sense.partOfSpeech == PartOfSpeech::Noun);
        check(!sense.definition.isEmpty() && sense.definition.size() <= WordMeanings::maxDefinitionLength);
    }
    check(meanings.senses(word).size() <= WordMeanings::shownSenses);
}

void readDatabase(QByteArrayView bytes) {
    static QTemporaryDir folder;
    if (!folder.isValid()) std::abort();
    // index.noun, data.noun and noun.exc; the last takes the rest, NUL bytes and all.
    QList<QByteArrayView> parts;
    for (qsizetype start = 0; parts.size() < 3;) {
        qsizetype end = bytes.indexOf('\0', start);
        if (end < 0 || parts.size() == 2) end = bytes.size();
        parts.append(bytes.sliced(start, end - start));
        start = std::min(end + 1, bytes.size());
    }
    writeFile(folder.filePath(QStringLiteral("index.noun")), parts[0]);
    writeFile(folder.filePath(QStringLiteral("data.noun")), parts[1]);
    writeFile(folder.filePath(QStringLiteral("noun.exc")), parts[2]);

    WordMeanings meanings(folder.path());
    meanings.isInstalled();
    // The first words of the index, as they stand and with endings the suffix rules take off.
    int asked = 0;
    for (qsizetype start = 0; start < parts[0].size() && asked < 8;) {
        qsizetype end = parts[0].indexOf('\n', start);
        if (end < 0) end = parts[0].size();
        const QByteArrayView key = wordNetIndexKey(parts[0].sliced(start, end - start));
        start = end + 1;
        if (key.isEmpty()) continue;
        ++asked;
        lookUp(meanings, key);
        lookUp(meanings, key.toByteArray() + "es");
    }
    lookUp(meanings, "women");
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size < 1) return 0;
    const QByteArrayView body(reinterpret_cast<const char*>(data) + 1, qsizetype(size - 1));
    if (data[0] % 2 == 0) {
        for (qsizetype start = 0; start <= body.size();) {
            qsizetype end = body.indexOf('\n', start);
            if (end < 0) end = body.size();
            parseLine(body.sliced(start, end - start));
            start = end + 1;
        }
    } else {
        readDatabase(body);
    }
    return 0;
}
