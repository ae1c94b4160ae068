// SPDX-License-Identifier: MIT
// Dictionary lookups per second: TDictn's IsWord on texts and its lookup of letter codes (the
// computer's candidate checks), beside an in-memory std::unordered_set of the same words, on the
// same mixed queries (half words of the list, half not). The three are measured in turn, five
// rounds, and the median of each is printed with its ratio to the hash set, for the standard and
// the large list; both lookups should reach at least the hash set's rate (ratio 1.0 or more).
// Also prints what opening the dictionary takes: writing the word file, reading and indexing it.

#include "tdictn.h"
#include "wordindex.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QTemporaryDir>
#include <algorithm>
#include <array>
#include <cstdio>
#include <random>
#include <string>
#include <unordered_set>
#include <vector>

using namespace quibo;

namespace {

constexpr int queryCount = 200000;
constexpr qint64 minimumNanoseconds = 400'000'000;
constexpr int rounds = 5;

std::vector<std::string> wordsOfRecords(const QByteArray& records) {
    std::vector<std::string> words;
    for (qsizetype at = 0; at + TDictn::recordsize <= records.size(); at += TDictn::recordsize)
        words.push_back(records.mid(at + 1, TDictn::recordsize - 1).trimmed().toLower().toStdString());
    return words;
}

// Half the queries are words of the list in mixed case; the other half are words with one letter
// changed, or cut, and a few random strings, most of which are not words.
std::vector<std::string> makeQueries(const std::vector<std::string>& words) {
    std::mt19937 random(20241208);
    std::uniform_int_distribution<std::size_t> pick(0, words.size() - 1);
    std::vector<std::string> queries;
    queries.reserve(queryCount);
    for (int i = 0; i < queryCount; ++i) {
        std::string word = words[pick(random)];
        switch (i % 4) {
        case 0:
            break;
        case 1:
            word[0] = char(word[0] - 'a' + 'A');
            break;
        case 2:
            word[random() % word.size()] = char('a' + random() % 26);
            break;
        default:
            word = word.substr(0, 1 + random() % word.size()) + "q";
            break;
        }
        queries.push_back(word);
    }
    return queries;
}

// Runs the lookups over all queries until at least 0.4 s have passed; answers lookups per second
// and counts the words found in one pass.
template <typename Lookup>
double rate(const std::vector<std::string>& queries, Lookup lookup, long& found) {
    QElapsedTimer timer;
    timer.start();
    qint64 lookups = 0;
    long hits = 0;
    do {
        hits = 0;
        for (const std::string& query : queries)
            hits += lookup(query) ? 1 : 0;
        lookups += qint64(queries.size());
    } while (timer.nsecsElapsed() < minimumNanoseconds);
    found = hits;
    return double(lookups) * 1e9 / double(timer.nsecsElapsed());
}

// Measures one embedded list; answers false when it cannot be opened.
bool benchList(const char* title, const QString& resourcePath) {
    QTemporaryDir directory;
    QElapsedTimer opening;
    opening.start();
    TDictn dictionary(directory.path(), resourcePath);
    const double openMs = double(opening.nsecsElapsed()) / 1e6;
    if (!dictionary.isOpen()) {
        std::fprintf(stderr, "%s\n", TDictn::notFoundMessage);
        return false;
    }
    QFile resource(resourcePath);
    if (!resource.open(QIODevice::ReadOnly)) return false;
    const QByteArray records = resource.readAll();
    QElapsedTimer indexing;
    indexing.start();
    const WordIndex index(records);
    const double indexMs = double(indexing.nsecsElapsed()) / 1e6;
    const std::vector<std::string> words = wordsOfRecords(records);
    const std::unordered_set<std::string> set(words.begin(), words.end());
    const std::vector<std::string> queries = makeQueries(words);

    // The hash set is given the texts lower-cased, as the word file's lookup does its own folding.
    std::vector<std::string> lowered = queries;
    for (std::string& q : lowered)
        for (char& c : q)
            c = (c >= 'A' && c <= 'Z') ? char(c - 'A' + 'a') : c;
    // The candidate checks are given letter codes, as the computer keeps its candidates.
    std::vector<std::string> codes = lowered;
    for (std::string& q : codes)
        for (char& c : q)
            c = char(c - 'a' + 1);

    std::array<std::vector<double>, 3> rates;
    std::array<long, 3> found{};
    for (int round = 0; round < rounds; ++round) {
        rates[0].push_back(rate(
            queries, [&](const std::string& q) { return dictionary.IsWord(QByteArrayView(q)); }, found[0]));
        rates[1].push_back(rate(
            codes,
            [&](const std::string& q) {
                return dictionary.isWordOfCodes(reinterpret_cast<const quint8*>(q.data()),
                                                qsizetype(q.size()));
            },
            found[1]));
        rates[2].push_back(rate(
            lowered, [&](const std::string& q) { return set.count(q) != 0; }, found[2]));
    }
    std::array<double, 3> median{};
    for (std::size_t i = 0; i < rates.size(); ++i) {
        std::sort(rates[i].begin(), rates[i].end());
        median[i] = rates[i][rates[i].size() / 2];
    }

    std::printf("%s list\n", title);
    std::printf("records:                 %lld (%lld bytes)\n", dictionary.recordCount(),
                dictionary.recordCount() * TDictn::recordsize);
    std::printf("open (write, read, index): %.1f ms, of which indexing %.1f ms (%lld words)\n", openMs,
                indexMs, qint64(index.size()));
    std::printf("queries:                 %zu, words among them: %ld (text), %ld (codes), %ld (set)\n",
                queries.size(), found[0], found[1], found[2]);
    std::printf("median of %d rounds:\n", rounds);
    std::printf("IsWord (text):           %.0f lookups/s\n", median[0]);
    std::printf("letter codes:            %.0f lookups/s\n", median[1]);
    std::printf("in-memory unordered_set: %.0f lookups/s\n", median[2]);
    std::printf("ratio text/set:          %.2f\n", median[0] / median[2]);
    std::printf("ratio codes/set:         %.2f\n", median[1] / median[2]);
    return true;
}

} // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    if (!benchList("standard", QString::fromLatin1(wordFileResource))) return 1;
    if (!benchList("large", QString::fromLatin1(largeWordFileResource))) return 1;
    return 0;
}
